#include "install_directory.h"

#include "bounded_text.h"
#include "fixed_names.h"
#include "handles.h"
#include "setup_state.h"

namespace olvet {
namespace {

// A drive ("C:") or a share ("\\server\share") exists or does not; it cannot be created.
size_t RootLength(const char* path) {
    if (path[0] && path[1] == ':') return 2;
    if (path[0] == '\\' && path[1] == '\\') {
        size_t length = 2;
        for (int separators = 0; path[length]; ++length) {
            if (path[length] == '\\' && ++separators == 2) break;
        }
        return length;
    }
    return 0;
}

bool CreateLevel(const char* path) {
    DWORD error = 0;
    return TheFiles().CreateDirectory(path, &error) || error == ERROR_ALREADY_EXISTS;
}

// Every missing level, not only the last: the default directory's maker
// folder does not exist on a machine that never had the product.
bool CreateInstallDirectory() {
    char level[MAX_PATH];
    if (!CopyText(level, g_state.installDir) || level[0] == '\0') return false;
    const size_t root = RootLength(level);
    const size_t length = TextLength(level);
    for (size_t end = root + 1; end <= length; ++end) {
        if (end < length && level[end] != '\\') continue;
        const char kept = level[end];
        level[end] = '\0';
        const bool created = CreateLevel(level);
        level[end] = kept;
        if (!created) return false;
    }
    return true;
}

bool CopyIntoInstallDirectory(const char* file) {
    return ComposePath(g_state.toPath, g_state.installDir, file) &&
           TheFiles().CopyFile(g_state.fromPath, g_state.toPath);
}

int WriteRegistryNumber(HKEY root, const char* path, const char* name, DWORD value) {
    RegistryKey key(TheRegistry());
    if (key.Create(root, path) != ERROR_SUCCESS) return Fail(ErrRegistry);
    if (TheRegistry().SetNumber(key.Get(), name, value) != ERROR_SUCCESS) return Fail(ErrRegistry);
    return 1;
}

bool WriteRegistry(const char* uninstallerPath) {
    // Quoted, so that Windows cannot run C:\Program.exe for a directory with spaces.
    char command[MAX_PATH + 2];
    if (!TextBuilder(command).Append('"').Append(uninstallerPath).Append('"').Fits()) return Fail(ErrRegistry);

    struct Text {
        const char* key;
        const char* name;
        const char* data;
    };
    const Text texts[] = {
        {names::kUninstallKey, "DisplayName", names::kDisplayName},
        {names::kUninstallKey, "DisplayIcon", uninstallerPath},
        {names::kUninstallKey, "UninstallString", command},
        {names::kUninstallKey, "UninstallPath", uninstallerPath},
        {names::kProductKey, "SetupPath", uninstallerPath},
        {names::kProductKey, "Version", names::kVersion},
        // What Windows' list of installed programs expects of a well-behaved product.
        {names::kUninstallKey, "DisplayVersion", names::kVersion},
        {names::kUninstallKey, "Publisher", names::kPublisher},
    };
    for (const Text& text : texts) {
        if (!WriteRegistryString(HKEY_LOCAL_MACHINE, text.key, text.name, text.data)) return false;
    }
    static const char* const kFlags[] = {"NoModify", "NoRepair"};
    for (const char* flag : kFlags) {
        if (!WriteRegistryNumber(HKEY_LOCAL_MACHINE, names::kUninstallKey, flag, 1)) return false;
    }
    return true;
}

}  // namespace

int WriteRegistryString(HKEY root, const char* path, const char* name, const char* text) {
    RegistryKey key(TheRegistry());
    if (key.Create(root, path) != ERROR_SUCCESS) return Fail(ErrRegistry);
    if (TheRegistry().SetString(key.Get(), name, text) != ERROR_SUCCESS) return Fail(ErrRegistry);
    return 1;
}

int SetUpInstallDirectory() {
    if (!CreateInstallDirectory()) return Fail(ErrCreateDirectory);

    DWORD length = TheSystem().GetModuleFileName(g_state.moduleHandle, g_state.fromPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return Fail(ErrCopyFile);
    if (!CopyIntoInstallDirectory(names::kLibraryFile)) return Fail(ErrCopyFile);

    if (!ComposePath(g_state.fromPath, g_state.sourceDir, names::kUninstallerFile) ||
        !CopyIntoInstallDirectory(names::kUninstallerFile)) {
        return Fail(ErrCopyFile);
    }
    // toPath now holds the uninstaller's installed path.
    return WriteRegistry(g_state.toPath) ? 1 : 0;
}

}  // namespace olvet
