// Decorators over the library's system interfaces: each call goes to the
// real system (Wine's spooler, registry and disk) unless the plan says it
// fails, so a test sees both the library's answer and the machine's state.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "services.h"

namespace faults {

// Which calls fail. A key is "Operation" (every call of it) or
// "Operation:detail" (calls with that detail: a file, value, key, printer or
// command name; "query" and "list" for the two calls of a listing).
class FaultPlan {
public:
    void Fail(const std::string& key, int occurrence = 0);  // occurrence 0: every matching call
    // Reports the call and says whether it fails.
    bool Check(const std::string& operation, const std::string& detail);

    const std::vector<std::string>& Calls() const { return calls_; }
    int Count(const std::string& key) const;
    int Injected() const { return injected_; }

private:
    struct Rule {
        std::string key;
        int occurrence;
        int seen;
    };
    std::vector<Rule> rules_;
    std::vector<std::string> calls_;
    int injected_ = 0;
};

class FaultySpooler final : public olvet::Spooler {
public:
    explicit FaultySpooler(FaultPlan& plan) : plan_(plan), real_(olvet::Win32Spooler()) {}
    ~FaultySpooler();

    BOOL OpenPrinter(const char* name, HANDLE* handle, PRINTER_DEFAULTSA* defaults) override;
    BOOL ClosePrinter(HANDLE handle) override;
    BOOL XcvData(HANDLE monitor, const wchar_t* command, BYTE* input, DWORD inputSize, BYTE* output, DWORD outputSize,
                 DWORD* needed, DWORD* status) override;
    BOOL EnumPrinterDrivers(const char* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                            DWORD* returned) override;
    BOOL AddPrinterDriverEx(DWORD level, BYTE* info, DWORD flags) override;
    BOOL DeletePrinterDriverEx(const char* environment, const char* driver, DWORD flags, DWORD version) override;
    HANDLE AddPrinter(DWORD level, BYTE* info) override;
    BOOL DeletePrinter(HANDLE printer) override;
    BOOL EnumPrinters(DWORD flags, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) override;
    BOOL GetPrinterDriverDirectory(const char* environment, DWORD level, BYTE* buffer, DWORD size,
                                   DWORD* needed) override;

    // Handles the library opened and has not closed; and closes of handles it does not hold.
    size_t OpenHandles() const { return open_.size(); }
    int BadCloses() const { return badCloses_; }
    std::vector<DWORD> xcvInputSizes;
    std::vector<std::wstring> xcvInputs;
    // Filled from the last AddPrinterDriverEx and AddPrinter calls.
    std::vector<std::string> driverRecord;  // name, environment, driver, data, config, help, dependents, monitor, type
    DWORD driverVersion = 0;
    DWORD driverFlags = 0;
    std::vector<std::string> printerRecord;  // printer, port, driver, processor, datatype
    DWORD printerAttributes = 0;
    bool printerRecordOtherFieldsZero = false;
    DWORD deleteDriverFlags = 0;
    std::string driverDirectory;  // reported instead of the spooler's own when set

private:
    FaultPlan& plan_;
    olvet::Spooler& real_;
    std::set<HANDLE> open_;
    int badCloses_ = 0;
};

class FaultyRegistry final : public olvet::Registry {
public:
    explicit FaultyRegistry(FaultPlan& plan) : plan_(plan), real_(olvet::Win32Registry()) {}
    ~FaultyRegistry();

    LONG CreateKey(HKEY parent, const char* path, HKEY* key) override;
    LONG OpenKey(HKEY parent, const char* path, HKEY* key) override;
    LONG SetString(HKEY key, const char* name, const char* text) override;
    LONG SetNumber(HKEY key, const char* name, DWORD value) override;
    LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* length) override;
    LONG DeleteKey(HKEY parent, const char* path) override;
    LONG CloseKey(HKEY key) override;

    size_t OpenKeys() const { return open_.size(); }
    int BadCloses() const { return badCloses_; }

private:
    FaultPlan& plan_;
    olvet::Registry& real_;
    std::set<HKEY> open_;
    int badCloses_ = 0;
};

class FaultyFileSystem final : public olvet::FileSystem {
public:
    explicit FaultyFileSystem(FaultPlan& plan) : plan_(plan), real_(olvet::Win32FileSystem()) {}

    BOOL CopyFile(const char* from, const char* to) override;
    BOOL DeleteFile(const char* path) override;
    BOOL CreateDirectory(const char* path, DWORD* error) override;
    DWORD GetAttributes(const char* path) override;
    BOOL SetAttributes(const char* path, DWORD attributes) override;
    BOOL CreateEmptyFile(const char* path) override;

private:
    FaultPlan& plan_;
    olvet::FileSystem& real_;
};

// The real system, except for what a test sets: the version it reports, and
// the program and library file names.
class FakeSystemInfo final : public olvet::SystemInfo {
public:
    explicit FakeSystemInfo(FaultPlan& plan) : plan_(plan), real_(olvet::Win32SystemInfo()) {}

    void ReportVersion(DWORD platform, DWORD major, DWORD minor) {
        fakeVersion_ = true;
        platform_ = platform;
        major_ = major;
        minor_ = minor;
    }
    void ReportProgramPath(const std::string& path) { programPath_ = path; }
    void ReportSystemDirectory(const std::string& path) { systemDirectory_ = path; }
    std::vector<DWORD> versionRecordSizes;

    BOOL GetVersion(OSVERSIONINFOA* info) override;
    UINT GetSystemDirectory(char* buffer, UINT size) override;
    DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) override;

private:
    FaultPlan& plan_;
    olvet::SystemInfo& real_;
    bool fakeVersion_ = false;
    DWORD platform_ = 0, major_ = 0, minor_ = 0;
    std::string programPath_;
    std::string systemDirectory_;
};

class FaultyMemory final : public olvet::Memory {
public:
    explicit FaultyMemory(FaultPlan& plan) : plan_(plan), real_(olvet::CrtMemory()) {}
    void* Allocate(size_t size) override;
    void Release(void* block) override;
    int Outstanding() const { return outstanding_; }

private:
    FaultPlan& plan_;
    olvet::Memory& real_;
    int outstanding_ = 0;
};

// Puts a plan's decorators in front of the library for one test, with the
// library's state as it is after a fresh load.
class ScopedFaults {
public:
    ScopedFaults();
    ~ScopedFaults();
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;

    FaultPlan plan;
    FaultySpooler spooler{plan};
    FaultyRegistry registry{plan};
    FaultyFileSystem files{plan};
    FakeSystemInfo system{plan};
    FaultyMemory memory{plan};

private:
    olvet::Services saved_;
};

std::string BaseName(const char* path);

}  // namespace faults
