// Reads the machine's state the way Windows keeps it, independently of the
// library under test, so that a test checks effects rather than calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace machine {

// The environment this build's driver is registered for.
#if defined(_WIN64)
constexpr char kEnvironment[] = "Windows x64";
#else
constexpr char kEnvironment[] = "Windows NT x86";
#endif

constexpr char kPort[] = "OLVET_PDF:";
constexpr char kPrinter[] = "Olvet PDF Printer";
constexpr char kDriver[] = "Olvet PDF Printer Driver";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Olvet PDF Creator";
constexpr char kProductKey[] = "Software\\Olvet Software\\PDF Creator";
constexpr char kMakerKey[] = "Software\\Olvet Software";

struct Printer {
    std::string name;
    std::string port;
    std::string driver;
};

std::vector<std::string> Ports();
bool PortExists(const char* port);
std::vector<Printer> Printers();
bool PrinterExists(const char* name);
Printer FindPrinter(const char* name);  // empty name when absent
std::vector<std::string> Drivers();
bool DriverRegistered(const char* name);

// The spooler's driver directory for this build's environment.
std::string DriverDirectory();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string ProgramDirectory();  // of the running test program

bool KeyExists(HKEY root, const char* path);
// Empty when missing; `found` tells a missing value from an empty one.
std::string ReadString(HKEY root, const char* path, const char* name, bool* found = nullptr);
bool ReadNumber(HKEY root, const char* path, const char* name, DWORD* value);
bool CreateKey(HKEY root, const char* path);
void DeleteTree(HKEY root, const char* path);

// Runs a command line to its end; its output goes to `output` when given.
// Returns the exit code, or -1 when the program could not be started.
int RunProgram(std::string command, HANDLE output = nullptr);

// Adds or deletes a port through the Local Port monitor, as an administrator would.
bool AddPort(const char* name);
bool DeletePort(const char* name);
// Adds a printer with this build's driver environment; the driver must exist.
bool AddPrinter(const char* name, const char* port, const char* driver);
bool DeletePrinter(const char* name);
bool AddDriver(const char* name);  // with the stand-in modules beside the test program
bool DeleteDriver(const char* name);

// Everything the product can leave on a machine, gone again: printers on the
// port and the product printer, the driver, staged modules, the port, the keys.
void RemoveProductTraces();

}  // namespace machine
