#include "wine_fixture.h"

#include <windows.h>

#include <cstdio>

#include "machine.h"

namespace {

const char kUninstaller[] = "Olvet_PDF_Creator_UnInstaller_Win.exe";
const char kLibrary[] = "olvet_pdf_printer_installer.dll";
const char kVersion[] = "1.0.2006.1018";

long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long>(data.nFileSizeLow);
}

}  // namespace

std::string DefaultInstallDirectory() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(1, system[0]) + ":\\Program Files\\Olvet Software\\PDF Creator";
}

void RemoveDirectoryTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = directory + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

size_t CountPrintersOnPort() {
    size_t count = 0;
    for (const machine::Printer& printer : machine::Printers()) count += printer.port == machine::kPort;
    return count;
}

void WineFixture::SetUp() {
    machine::RemoveProductTraces();
    RemoveDirectoryTree("C:\\Olvet Test");
}

void WineFixture::TearDown() {
    machine::RemoveProductTraces();
    RemoveDirectoryTree("C:\\Olvet Test");
}

void WineFixture::ExpectStagedModules(bool present) {
    const std::string directory = machine::DriverDirectory();
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"}) {
        const std::string path = directory + "\\" + file;
        EXPECT_EQ(present, machine::FileExists(path)) << path;
        if (present) {
            EXPECT_EQ(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << path;
        }
    }
    if (present) {
        EXPECT_EQ(0, FileSize(directory + "\\lyr_gpd.txt"));
    }
}

void WineFixture::ExpectInstallDirectory(const std::string& directory) {
    const std::string program = machine::ProgramDirectory();
    for (const char* file : {kLibrary, kUninstaller}) {
        const std::string copy = directory + "\\" + file;
        EXPECT_TRUE(machine::FileExists(copy)) << copy;
        EXPECT_EQ(FileSize(program + "\\" + file), FileSize(copy)) << copy;
    }
}

void WineFixture::ExpectRegistryEntries(const std::string& directory) {
    const std::string uninstaller = directory + "\\" + kUninstaller;
    struct Value {
        const char* key;
        const char* name;
        std::string data;
    };
    const Value values[] = {
        {machine::kUninstallKey, "DisplayName", "Olvet PDF Creator"},
        {machine::kUninstallKey, "DisplayIcon", uninstaller},
        {machine::kUninstallKey, "UninstallString", "\"" + uninstaller + "\""},
        {machine::kUninstallKey, "UninstallPath", uninstaller},
        {machine::kUninstallKey, "DisplayVersion", kVersion},
        {machine::kUninstallKey, "Publisher", "Olvet Software"},
        {machine::kProductKey, "SetupPath", uninstaller},
        {machine::kProductKey, "Version", kVersion},
    };
    for (const Value& value : values) {
        bool found = false;
        EXPECT_EQ(value.data, machine::ReadString(HKEY_LOCAL_MACHINE, value.key, value.name, &found)) << value.name;
        EXPECT_TRUE(found) << value.name;
    }
    for (const char* flag : {"NoModify", "NoRepair"}) {
        DWORD number = 0;
        EXPECT_TRUE(machine::ReadNumber(HKEY_LOCAL_MACHINE, machine::kUninstallKey, flag, &number)) << flag;
        EXPECT_EQ(1u, number) << flag;
    }
}

void WineFixture::ExpectNothingInstalled() {
    EXPECT_FALSE(machine::PrinterExists(machine::kPrinter));
    EXPECT_EQ(0u, CountPrintersOnPort());
    EXPECT_FALSE(machine::PortExists(machine::kPort));
    const std::string directory = machine::DriverDirectory();
    for (const char* file : {"lyr_drv.dll", "lyr_ui.dll", "lyr_gpd.txt"}) {
        EXPECT_FALSE(machine::FileExists(directory + "\\" + file)) << file;
        EXPECT_FALSE(machine::FileExists(directory + "\\3\\" + file)) << file;
    }
    EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kUninstallKey));
    EXPECT_FALSE(machine::KeyExists(HKEY_LOCAL_MACHINE, machine::kProductKey));
}
