#include "registry.h"

namespace olvet {
namespace {

class SystemRegistry final : public Registry {
public:
    LONG CreateKey(HKEY parent, const char* path, HKEY* key) override {
        return ::RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                                 nullptr);
    }
    LONG OpenKey(HKEY parent, const char* path, HKEY* key) override {
        return ::RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, key);
    }
    LONG SetString(HKEY key, const char* name, const char* text) override {
        DWORD size = static_cast<DWORD>(::lstrlenA(text)) + 1;  // the terminator is stored too
        return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
    }
    LONG SetNumber(HKEY key, const char* name, DWORD value) override {
        return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* length) override {
        FILETIME written;
        return ::RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, &written);
    }
    LONG DeleteKey(HKEY parent, const char* path) override { return ::RegDeleteKeyA(parent, path); }
    LONG CloseKey(HKEY key) override { return ::RegCloseKey(key); }
};

SystemRegistry g_systemRegistry;

}  // namespace

Registry& Win32Registry() { return g_systemRegistry; }

}  // namespace olvet
