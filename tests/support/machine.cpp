#include "machine.h"

#include <winspool.h>

#include <cstdio>

namespace machine {
namespace {

// The spooler's two-call listing.
template <typename Record, typename List>
std::vector<Record> ListAll(List list, std::vector<BYTE>& storage) {
    DWORD needed = 0;
    DWORD count = 0;
    list(nullptr, 0, &needed, &count);
    storage.assign(needed + 1, 0);
    if (!list(storage.data(), needed, &needed, &count)) return {};
    const Record* records = reinterpret_cast<const Record*>(storage.data());
    return std::vector<Record>(records, records + count);
}

std::string Text(const char* text) { return text ? text : ""; }

bool SendPortCommand(const wchar_t* command, const char* name) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE monitor = nullptr;
    if (!OpenPrinterA(const_cast<char*>(",XcvMonitor Local Port"), &monitor, &defaults)) return false;
    wchar_t wide[256] = {};
    MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 255);
    DWORD needed = 0;
    DWORD status = 0;
    BOOL ok = XcvDataW(monitor, command, reinterpret_cast<BYTE*>(wide), (lstrlenW(wide) + 1) * sizeof(wchar_t),
                       nullptr, 0, &needed, &status);
    ClosePrinter(monitor);
    return ok && (status == ERROR_SUCCESS || status == ERROR_ALREADY_EXISTS);
}

}  // namespace

std::vector<std::string> Ports() {
    std::vector<BYTE> storage;
    auto ports = ListAll<PORT_INFO_1A>(
        [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
            return EnumPortsA(nullptr, 1, buffer, size, needed, count);
        },
        storage);
    std::vector<std::string> names;
    for (const PORT_INFO_1A& port : ports) names.push_back(Text(port.pName));
    return names;
}

bool PortExists(const char* port) {
    for (const std::string& name : Ports()) {
        if (name == port) return true;
    }
    return false;
}

std::vector<Printer> Printers() {
    std::vector<BYTE> storage;
    auto records = ListAll<PRINTER_INFO_2A>(
        [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, count);
        },
        storage);
    std::vector<Printer> printers;
    for (const PRINTER_INFO_2A& record : records) {
        printers.push_back({Text(record.pPrinterName), Text(record.pPortName), Text(record.pDriverName)});
    }
    return printers;
}

Printer FindPrinter(const char* name) {
    for (const Printer& printer : Printers()) {
        if (printer.name == name) return printer;
    }
    return {};
}

bool PrinterExists(const char* name) { return !FindPrinter(name).name.empty(); }

std::vector<std::string> Drivers() {
    std::vector<BYTE> storage;
    auto records = ListAll<DRIVER_INFO_1A>(
        [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* count) {
            return EnumPrinterDriversA(nullptr, const_cast<char*>(kEnvironment), 1, buffer, size, needed, count);
        },
        storage);
    std::vector<std::string> names;
    for (const DRIVER_INFO_1A& record : records) names.push_back(Text(record.pName));
    return names;
}

bool DriverRegistered(const char* name) {
    for (const std::string& driver : Drivers()) {
        if (driver == name) return true;
    }
    return false;
}

std::string DriverDirectory() {
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(kEnvironment), 1, reinterpret_cast<BYTE*>(directory),
                               sizeof directory, &needed);
    return directory;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\'));
}

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string ReadString(HKEY root, const char* path, const char* name, bool* found) {
    if (found) *found = false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return {};
    if (found) *found = true;
    return data;
}

bool ReadNumber(HKEY root, const char* path, const char* name, DWORD* value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = sizeof *value;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD;
}

bool CreateKey(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void DeleteTree(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::string child = std::string(path) + "\\" + name;
        DeleteTree(root, child.c_str());
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path);
}

int RunProgram(std::string command, HANDLE output) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

bool AddPort(const char* name) { return SendPortCommand(L"AddPort", name); }
bool DeletePort(const char* name) { return SendPortCommand(L"DeletePort", name); }

bool AddPrinter(const char* name, const char* port, const char* driver) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name);
    info.pPortName = const_cast<char*>(port);
    info.pDriverName = const_cast<char*>(driver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

bool DeletePrinter(const char* name) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, &defaults)) return false;
    BOOL deleted = ::DeletePrinter(printer);
    ClosePrinter(printer);
    return deleted != FALSE;
}

bool AddDriver(const char* name) {
    // Staged in the driver directory and named without a path, as a setup
    // program does: the spooler then installs its own copies.
    const std::string source = ProgramDirectory();
    const std::string staging = DriverDirectory();
    const char* const files[] = {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"};
    CopyFileA((source + "\\lyr_drv.dll").c_str(), (staging + "\\lyr_drv.dll").c_str(), FALSE);
    CopyFileA((source + "\\lyr_ui.dll").c_str(), (staging + "\\lyr_ui.dll").c_str(), FALSE);
    if (FILE* data = std::fopen((staging + "\\lyr_gpd.txt").c_str(), "wb")) std::fclose(data);
    char empty[] = "";
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name);
    info.pEnvironment = const_cast<char*>(kEnvironment);
    info.pDriverPath = const_cast<char*>(files[0]);
    info.pConfigFile = const_cast<char*>(files[1]);
    info.pDataFile = const_cast<char*>(files[2]);
    info.pHelpFile = empty;
    info.pDependentFiles = empty;
    info.pDefaultDataType = empty;
    BOOL added = AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_ALL_FILES);
    for (const char* file : files) DeleteFileA((staging + "\\" + file).c_str());
    return added != FALSE;
}

bool DeleteDriver(const char* name) {
    return DeletePrinterDriverA(nullptr, const_cast<char*>(kEnvironment), const_cast<char*>(name)) != FALSE;
}

void RemoveProductTraces() {
    for (const Printer& printer : Printers()) {
        if (printer.port.find(kPort) != std::string::npos || printer.name.find(kPrinter) == 0) {
            DeletePrinter(printer.name.c_str());
        }
    }
    DeleteDriver(kDriver);
    const std::string directory = DriverDirectory();
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"}) {
        std::string staged = directory + "\\" + file;
        SetFileAttributesA(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(staged.c_str());
        for (const char* version : {"\\2\\", "\\3\\"}) {
            const std::string installed = directory + version + file;
            SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(installed.c_str());
        }
    }
    DeletePort(kPort);
    DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kMakerKey);
}

}  // namespace machine
