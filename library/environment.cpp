#include "environment.h"

#include "bounded_text.h"
#include "fixed_names.h"
#include "services.h"
#include "setup_state.h"

namespace olvet {
namespace {

struct SupportedSystem {
    DWORD major;
    DWORD minor;
    LONG driverVersionDir;
};

constexpr SupportedSystem kSupportedSystems[] = {
    {5, 0, 2},  // Windows 2000
    {5, 1, 3},  // Windows XP
};

// Longest file name the install composes below the install, source and driver directories.
constexpr size_t kLongestFileName = sizeof names::kUninstallerFile - 1;
// driverDir + '\' + version digit + '\' + module name, for installed modules.
constexpr size_t kLongestDriverFile = sizeof names::kDriverFile - 1;

bool LeavesRoomFor(const char* directory, size_t extra) { return TextLength(directory) + 1 + extra < MAX_PATH; }

}  // namespace

int ProbeOperatingSystem() {
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    OSVERSIONINFOA* record = reinterpret_cast<OSVERSIONINFOA*>(&info);
    if (!TheSystem().GetVersion(record)) {
        // Systems before NT 4.0 SP6 know only the short record.
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!TheSystem().GetVersion(record)) return Fail(ErrUnsupportedSystem);
    }
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        for (const SupportedSystem& system : kSupportedSystems) {
            if (info.dwMajorVersion == system.major && info.dwMinorVersion == system.minor) {
                g_state.driverVersionDir = system.driverVersionDir;
                return 1;
            }
        }
    }
    // An earlier call in this process already found a supported system.
    if (g_state.driverVersionDir != -1) return 1;
    return Fail(ErrUnsupportedSystem);
}

int ResolvePaths(const char* installDir) {
    if (installDir) {
        if (!CopyText(g_state.installDir, installDir)) return Fail(ErrCreateDirectory);
        size_t length = TextLength(g_state.installDir);
        if (length > 0 && g_state.installDir[length - 1] == '\\') g_state.installDir[length - 1] = '\0';
    } else {
        // Without the system directory there is no system drive to put the default on.
        UINT length = TheSystem().GetSystemDirectory(g_state.toPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return Fail(ErrUnsupportedSystem);
        TextBuilder(g_state.installDir).Append(g_state.toPath[0]).Append(names::kDefaultInstallDirTail);
    }
    // The install composes the library's and the uninstaller's paths in it; refuse
    // now rather than cut one of them later.
    if (!LeavesRoomFor(g_state.installDir, kLongestFileName)) return Fail(ErrCreateDirectory);

    DWORD length = TheSystem().GetModuleFileName(nullptr, g_state.sourceDir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return Fail(ErrUnsupportedSystem);
    for (char* end = g_state.sourceDir + length; end != g_state.sourceDir; --end) {
        if (end[-1] == '\\') {
            end[-1] = '\0';
            break;
        }
    }
    if (!LeavesRoomFor(g_state.sourceDir, kLongestFileName)) return Fail(ErrUnsupportedSystem);

    DWORD needed = 0;
    if (!TheSpooler().GetPrinterDriverDirectory(names::kEnvironment, 1, reinterpret_cast<BYTE*>(g_state.driverDir),
                                                MAX_PATH, &needed)) {
        return Fail(ErrUnsupportedSystem);
    }
    // Installed modules are addressed as driverDir\<version>\<file>.
    if (!LeavesRoomFor(g_state.driverDir, 2 + kLongestDriverFile)) return Fail(ErrUnsupportedSystem);
    return 1;
}

}  // namespace olvet
