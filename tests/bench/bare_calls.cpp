#include "bare_calls.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "machine.h"

namespace bare {
namespace {

const char kLibraryFile[] = "olvet_pdf_printer_installer.dll";
const char kUninstallerFile[] = "Olvet_PDF_Creator_UnInstaller_Win.exe";
const char kDriverFile[] = "lyr_drv.dll";
const char kUiFile[] = "lyr_ui.dll";
const char kDataFile[] = "lyr_gpd.txt";
const char kVersion[] = "1.0.2006.1018";
const wchar_t kPortWide[] = L"OLVET_PDF:";

struct Context {
    long driverVersionDir = -1;
    char installDir[MAX_PATH] = {};
    char sourceDir[MAX_PATH] = {};
    char driverDir[MAX_PATH] = {};
    char fromPath[MAX_PATH] = {};
    char toPath[MAX_PATH] = {};
};

char* Mutable(const char* text) {
    return const_cast<char*>(text);
}

bool Join(char* out, const char* directory, const char* file) {
    const int length = std::snprintf(out, MAX_PATH, "%s\\%s", directory, file);
    return length > 0 && length < MAX_PATH;
}

bool ProbeVersion(Context& context) {
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT || info.dwMajorVersion != 5 || info.dwMinorVersion > 1) return false;
    context.driverVersionDir = info.dwMinorVersion == 0 ? 2 : 3;
    return true;
}

bool ResolvePaths(Context& context, const char* installDir) {
    if (installDir) {
        std::snprintf(context.installDir, MAX_PATH, "%s", installDir);
    } else {
        if (!GetSystemDirectoryA(context.toPath, MAX_PATH)) return false;
        std::snprintf(context.installDir, MAX_PATH, "%c:\\Program Files\\Olvet Software\\PDF Creator",
                      context.toPath[0]);
    }
    const DWORD length = GetModuleFileNameA(nullptr, context.sourceDir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    if (char* slash = std::strrchr(context.sourceDir, '\\')) *slash = '\0';
    DWORD needed = 0;
    return GetPrinterDriverDirectoryA(nullptr, Mutable(machine::kEnvironment), 1,
                                      reinterpret_cast<BYTE*>(context.driverDir), MAX_PATH, &needed) != FALSE;
}

bool SendPortCommand(const wchar_t* command) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE monitor = nullptr;
    if (!OpenPrinterA(Mutable(",XcvMonitor Local Port"), &monitor, &defaults)) return false;
    wchar_t record[512] = {};
    std::memcpy(record, kPortWide, sizeof kPortWide);
    BYTE output[1024];
    DWORD needed = 0;
    DWORD status = 0;
    const BOOL sent =
        XcvDataW(monitor, command, reinterpret_cast<BYTE*>(record), sizeof kPortWide, output, 0, &needed, &status);
    ClosePrinter(monitor);
    return sent != FALSE;
}

// The spooler's two-call listing into a block from the C heap, as the library lists.
template <typename List>
BYTE* ListRecords(List list, DWORD* count) {
    DWORD needed = 0;
    DWORD returned = 0;
    list(nullptr, 0, &needed, &returned);
    BYTE* block = static_cast<BYTE*>(std::malloc(needed ? needed : 1));
    if (!block) return nullptr;
    returned = 0;
    if (!list(block, needed, &needed, &returned)) {
        std::free(block);
        return nullptr;
    }
    *count = returned;
    return block;
}

enum class Lookup { Found, Missing, Failed };

Lookup FindDriver() {
    DWORD count = 0;
    BYTE* block = ListRecords(
        [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrinterDriversA(nullptr, Mutable(machine::kEnvironment), 3, buffer, size, needed, returned);
        },
        &count);
    if (!block) return Lookup::Failed;
    const DRIVER_INFO_3A* drivers = reinterpret_cast<const DRIVER_INFO_3A*>(block);
    Lookup result = Lookup::Missing;
    for (DWORD i = 0; i < count && result == Lookup::Missing; ++i) {
        if (drivers[i].pName && std::strcmp(drivers[i].pName, machine::kDriver) == 0) result = Lookup::Found;
    }
    std::free(block);
    return result;
}

bool InstallDriver(Context& context) {
    const Lookup lookup = FindDriver();
    if (lookup != Lookup::Missing) return lookup == Lookup::Found;

    for (const char* file : {kDriverFile, kUiFile}) {
        if (!Join(context.fromPath, context.sourceDir, file) || !Join(context.toPath, context.driverDir, file) ||
            !CopyFileA(context.fromPath, context.toPath, FALSE)) {
            return false;
        }
    }
    if (!Join(context.toPath, context.driverDir, kDataFile)) return false;
    FILE* data = std::fopen(context.toPath, "wb");
    if (!data || std::fclose(data) != 0) return false;

    char empty[] = "";
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = Mutable(machine::kDriver);
    driver.pEnvironment = Mutable(machine::kEnvironment);
    driver.pDriverPath = Mutable(kDriverFile);
    driver.pDataFile = Mutable(kDataFile);
    driver.pConfigFile = Mutable(kUiFile);
    driver.pHelpFile = empty;
    driver.pDependentFiles = empty;
    driver.pDefaultDataType = empty;
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES)) return false;

    for (const char* file : {kDriverFile, kUiFile}) {
        if (!Join(context.toPath, context.driverDir, file)) continue;
        const DWORD attributes = GetFileAttributesA(context.toPath);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            SetFileAttributesA(context.toPath, (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL);
        }
    }
    return true;
}

bool CreatePrinter() {
    HANDLE printer = nullptr;
    if (OpenPrinterA(Mutable(machine::kPrinter), &printer, nullptr)) {
        ClosePrinter(printer);
        return true;
    }
    PRINTER_INFO_2A info = {};
    info.pPrinterName = Mutable(machine::kPrinter);
    info.pPortName = Mutable(machine::kPort);
    info.pDriverName = Mutable(machine::kDriver);
    info.pPrintProcessor = Mutable("WinPrint");
    info.pDatatype = Mutable("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

// Every level below the drive, as the library creates them.
bool CreateInstallDirectory(const Context& context) {
    char level[MAX_PATH];
    std::snprintf(level, MAX_PATH, "%s", context.installDir);
    const size_t length = std::strlen(level);
    for (size_t end = 3; end <= length; ++end) {
        if (end < length && level[end] != '\\') continue;
        const char kept = level[end];
        level[end] = '\0';
        const bool created = CreateDirectoryA(level, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        level[end] = kept;
        if (!created) return false;
    }
    return true;
}

bool WriteValue(const char* path, const char* name, DWORD type, const BYTE* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = RegSetValueExA(key, name, 0, type, data, size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool WriteText(const char* path, const char* name, const char* text) {
    return WriteValue(path, name, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
}

bool WriteRegistry(const char* uninstaller) {
    char command[MAX_PATH + 2];
    std::snprintf(command, sizeof command, "\"%s\"", uninstaller);
    const char* const uninstallKey = machine::kUninstallKey;
    const char* const productKey = machine::kProductKey;
    const bool texts =
        WriteText(uninstallKey, "DisplayName", "Olvet PDF Creator") &&
        WriteText(uninstallKey, "DisplayIcon", uninstaller) && WriteText(uninstallKey, "UninstallString", command) &&
        WriteText(uninstallKey, "UninstallPath", uninstaller) && WriteText(productKey, "SetupPath", uninstaller) &&
        WriteText(productKey, "Version", kVersion) && WriteText(uninstallKey, "DisplayVersion", kVersion) &&
        WriteText(uninstallKey, "Publisher", "Olvet Software");
    const DWORD one = 1;
    return texts && WriteValue(uninstallKey, "NoModify", REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) &&
           WriteValue(uninstallKey, "NoRepair", REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
}

bool SetUpInstallDirectory(Context& context, HMODULE library) {
    if (!CreateInstallDirectory(context)) return false;
    const DWORD length = GetModuleFileNameA(library, context.fromPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    if (!Join(context.toPath, context.installDir, kLibraryFile) ||
        !CopyFileA(context.fromPath, context.toPath, FALSE)) {
        return false;
    }
    if (!Join(context.fromPath, context.sourceDir, kUninstallerFile) ||
        !Join(context.toPath, context.installDir, kUninstallerFile) ||
        !CopyFileA(context.fromPath, context.toPath, FALSE)) {
        return false;
    }
    return WriteRegistry(context.toPath);
}

bool DeletePrintersOnPort() {
    DWORD count = 0;
    BYTE* block = ListRecords(
        [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, returned);
        },
        &count);
    if (!block) return false;
    const PRINTER_INFO_2A* printers = reinterpret_cast<const PRINTER_INFO_2A*>(block);
    bool deleted = true;
    for (DWORD i = 0; i < count && deleted; ++i) {
        if (!printers[i].pPortName || std::strcmp(printers[i].pPortName, machine::kPort) != 0) continue;
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE printer = nullptr;
        if (!OpenPrinterA(printers[i].pPrinterName, &printer, &defaults)) {
            deleted = false;
            break;
        }
        deleted = DeletePrinter(printer) != FALSE;
        ClosePrinter(printer);
    }
    std::free(block);
    return deleted;
}

void DeleteDriver(Context& context) {
    if (DeletePrinterDriverExA(nullptr, nullptr, Mutable(machine::kDriver), DPD_DELETE_ALL_FILES, 0)) return;
    for (const char* file : {kDataFile, kUiFile, kDriverFile}) {
        std::snprintf(context.toPath, MAX_PATH, "%s\\%ld\\%s", context.driverDir, context.driverVersionDir, file);
        DeleteFileA(context.toPath);
    }
}

LONG DeleteTree(HKEY parent, const char* path) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key);
    if (status != ERROR_SUCCESS) return status;
    for (;;) {
        char name[256];
        DWORD length = sizeof name;
        FILETIME written;
        if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS) break;
        status = DeleteTree(key, name);
        if (status != ERROR_SUCCESS) {
            RegCloseKey(key);
            return status;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, path);
}

}  // namespace

bool Install(const char* installDir, HMODULE library) {
    Context context;
    return ProbeVersion(context) && ResolvePaths(context, installDir) && SendPortCommand(L"AddPort") &&
           InstallDriver(context) && CreatePrinter() && SetUpInstallDirectory(context, library);
}

bool Uninstall() {
    Context context;
    if (!ProbeVersion(context) || !ResolvePaths(context, nullptr)) return false;
    if (!DeletePrintersOnPort()) return false;
    DeleteDriver(context);
    for (const char* file : {kDataFile, kUiFile, kDriverFile}) {
        if (Join(context.toPath, context.driverDir, file)) DeleteFileA(context.toPath);
    }
    const bool portDeleted = SendPortCommand(L"DeletePort");
    DeleteTree(HKEY_LOCAL_MACHINE, machine::kUninstallKey);
    DeleteTree(HKEY_LOCAL_MACHINE, machine::kProductKey);
    return portDeleted;
}

}  // namespace bare
