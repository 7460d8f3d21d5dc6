#include "system_info.h"

namespace olvet {
namespace {

class SystemSystemInfo final : public SystemInfo {
public:
    BOOL GetVersion(OSVERSIONINFOA* info) override { return ::GetVersionExA(info); }
    UINT GetSystemDirectory(char* buffer, UINT size) override { return ::GetSystemDirectoryA(buffer, size); }
    DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) override {
        return ::GetModuleFileNameA(module, buffer, size);
    }
};

SystemSystemInfo g_systemInfo;

}  // namespace

SystemInfo& Win32SystemInfo() { return g_systemInfo; }

}  // namespace olvet
