#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "machine.h"
#include "wine_fixture.h"

namespace {

using Snapshot = std::set<std::string>;

// Class registrations are most of the registry and nothing the product writes.
bool Skipped(const std::string& path) {
    return path.size() >= 8 && path.compare(path.size() - 8, 8, "\\Classes") == 0;
}

void AddKeyTree(HKEY root, const std::string& path, Snapshot& out) {
    if (Skipped(path)) return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    out.insert("key " + path);
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        BYTE data[8192];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        LONG status = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
        std::string text(reinterpret_cast<char*>(data), status == ERROR_SUCCESS ? dataLength : 0);
        out.insert("value " + path + " : " + name + " = " + std::to_string(type) + ":" + text);
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        AddKeyTree(root, path + "\\" + name, out);
    }
    RegCloseKey(key);
}

void AddFileTree(const std::string& directory, Snapshot& out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = directory + "\\" + name;
        out.insert("file " + path + " " + std::to_string(found.nFileSizeLow));
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AddFileTree(path, out);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// What the spooler, the registry and the disk hold that an install could touch.
Snapshot TakeSnapshot(const std::string& installRoot) {
    Snapshot snapshot;
    for (const machine::Printer& p : machine::Printers()) snapshot.insert("printer " + p.name + "|" + p.port + "|" + p.driver);
    for (const std::string& port : machine::Ports()) snapshot.insert("port " + port);
    for (const std::string& driver : machine::Drivers()) snapshot.insert("driver " + driver);
    AddKeyTree(HKEY_LOCAL_MACHINE, "Software", snapshot);
    AddKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Print", snapshot);
    AddFileTree(machine::DriverDirectory(), snapshot);
    AddFileTree(installRoot, snapshot);
    return snapshot;
}

std::string Difference(const Snapshot& from, const Snapshot& to, const char* sign,
                       bool (*kept)(const std::string&)) {
    std::string lines;
    for (const std::string& line : to) {
        if (!from.count(line) && !kept(line)) lines += std::string(sign) + " " + line + "\n";
    }
    return lines;
}

// Runs the sample setup program beside this test program, as a person would,
// and returns its exit code and what it printed.
int RunSetup(const std::string& arguments, std::string* output) {
    const std::string log = machine::ProgramDirectory() + "\\setup-output.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    const int exitCode = machine::RunProgram(
        "\"" + machine::ProgramDirectory() + "\\olvet_setup_sample.exe\" " + arguments, file);
    CloseHandle(file);
    output->clear();
    if (FILE* printed = std::fopen(log.c_str(), "rb")) {
        char chunk[512];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, printed)) > 0;) output->append(chunk, n);
        std::fclose(printed);
    }
    DeleteFileA(log.c_str());
    for (size_t at; (at = output->find('\r')) != std::string::npos;) output->erase(at, 1);
    return exitCode;
}

// This program never loads a driver module itself: Wine keeps a printer's
// configuration module mapped in the process that added the printer, and a
// mapped module could not be deleted by the uninstall. The install and the
// uninstall run in processes of their own, as on a user's machine.
TEST_F(WineFixture, AnInstallAndItsUninstallLeaveOnlyWhatTheDesignKeeps) {
    const std::string root = "C:\\Olvet Test";
    CreateDirectoryA(root.c_str(), nullptr);
    const Snapshot before = TakeSnapshot(root);

    std::string printed;
    ASSERT_EQ(0, RunSetup("install \"" + installDir + "\"", &printed)) << printed;
    EXPECT_NE(std::string::npos, printed.find("20% Adding port...\n40% Installing driver...\n"
                                              "60% Installing printer...\n80% Updating registry...\n"
                                              "100% Finishing installing...\n"))
        << printed;
    EXPECT_EQ(machine::kPort, machine::FindPrinter(machine::kPrinter).port);
    ExpectRegistryEntries(installDir);
    ASSERT_EQ(0, RunSetup("uninstall", &printed)) << printed;
    const Snapshot after = TakeSnapshot(root);

    // Kept by design: the install directory with its two files and the maker
    // key. Kept by Wine: the driver's registration, which Wine 8 refuses to
    // delete together with its files.
    auto kept = [](const std::string& line) {
        const std::string installed = "file C:\\Olvet Test\\Install";
        return line.rfind(installed, 0) == 0 || line == "key Software\\Olvet Software" ||
               line == "driver Olvet PDF Printer Driver" ||
               line.find("\\Drivers\\Version-3\\Olvet PDF Printer Driver") != std::string::npos;
    };
    EXPECT_EQ("", Difference(before, after, "+", kept));
    EXPECT_EQ("", Difference(after, before, "-", [](const std::string&) { return false; }));
    // And what is kept is really there.
    EXPECT_TRUE(after.count("key Software\\Olvet Software"));
    ExpectInstallDirectory(installDir);
}

}  // namespace
