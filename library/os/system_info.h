// What the library asks of the running system, behind an interface that tests can change.
#pragma once

#include <windows.h>

namespace olvet {

class SystemInfo {
public:
    virtual BOOL GetVersion(OSVERSIONINFOA* info) = 0;  // info->dwOSVersionInfoSize chooses the record
    virtual UINT GetSystemDirectory(char* buffer, UINT size) = 0;
    virtual DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) = 0;

protected:
    ~SystemInfo() = default;
};

SystemInfo& Win32SystemInfo();

}  // namespace olvet
