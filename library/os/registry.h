// Registry calls of the setup steps, behind an interface that tests can make fail.
#pragma once

#include <windows.h>

namespace olvet {

class Registry {
public:
    virtual LONG CreateKey(HKEY parent, const char* path, HKEY* key) = 0;
    virtual LONG OpenKey(HKEY parent, const char* path, HKEY* key) = 0;
    virtual LONG SetString(HKEY key, const char* name, const char* text) = 0;
    virtual LONG SetNumber(HKEY key, const char* name, DWORD value) = 0;
    // The name of the first sub-key; *length is the buffer's size in, the name's length out.
    virtual LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* length) = 0;
    virtual LONG DeleteKey(HKEY parent, const char* path) = 0;
    virtual LONG CloseKey(HKEY key) = 0;

protected:
    ~Registry() = default;
};

Registry& Win32Registry();

}  // namespace olvet
