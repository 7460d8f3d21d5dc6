#include "windows_version.h"

#include <windows.h>

#include "machine.h"

namespace machine {
namespace {

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string AppDefaultsKey() {
    std::string path = ProgramPath();
    return "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of('\\') + 1);
}

}  // namespace

int RunTestAsWindowsVersion(const char* version, const char* testName, const std::string& tag) {
    const std::string key = AppDefaultsKey();
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr)) {
        return -1;
    }
    RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), lstrlenA(version) + 1);
    RegCloseKey(handle);

    SetEnvironmentVariableA("OLVET_CHILD", tag.c_str());
    const int exitCode = RunProgram("\"" + ProgramPath() + "\" --gtest_filter=" + testName);
    SetEnvironmentVariableA("OLVET_CHILD", nullptr);
    DeleteTree(HKEY_CURRENT_USER, key.c_str());
    return exitCode;
}

std::string ChildTag() {
    char tag[64] = {};
    GetEnvironmentVariableA("OLVET_CHILD", tag, sizeof tag);
    return tag;
}

}  // namespace machine
