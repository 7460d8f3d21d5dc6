#include "fault_injection.h"

#include "setup_state.h"

namespace faults {
namespace {

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; text && *text; ++text) narrow.push_back(static_cast<char>(*text));
    return narrow;
}

std::string Listing(const BYTE* buffer) { return buffer ? "list" : "query"; }

std::string Text(const char* text) { return text ? text : "<null>"; }

}  // namespace

std::string BaseName(const char* path) {
    std::string text = path ? path : "";
    size_t slash = text.find_last_of('\\');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

void FaultPlan::Fail(const std::string& key, int occurrence) { rules_.push_back({key, occurrence, 0}); }

bool FaultPlan::Check(const std::string& operation, const std::string& detail) {
    const std::string call = detail.empty() ? operation : operation + ":" + detail;
    calls_.push_back(call);
    bool fails = false;
    for (Rule& rule : rules_) {
        if (rule.key != operation && rule.key != call) continue;
        ++rule.seen;
        if (rule.occurrence == 0 || rule.occurrence == rule.seen) fails = true;
    }
    if (fails) ++injected_;
    return fails;
}

int FaultPlan::Count(const std::string& key) const {
    int count = 0;
    for (const std::string& call : calls_) {
        if (call == key || call.compare(0, key.size() + 1, key + ":") == 0) ++count;
    }
    return count;
}

// ---- spooler

FaultySpooler::~FaultySpooler() {
    // Whatever a test leaked must not stay open in the spooler.
    for (HANDLE handle : open_) real_.ClosePrinter(handle);
}

BOOL FaultySpooler::OpenPrinter(const char* name, HANDLE* handle, PRINTER_DEFAULTSA* defaults) {
    if (plan_.Check("OpenPrinter", Text(name))) {
        *handle = reinterpret_cast<HANDLE>(0xBAD);  // what a failed call may leave behind
        return FALSE;
    }
    BOOL opened = real_.OpenPrinter(name, handle, defaults);
    if (opened) open_.insert(*handle);
    return opened;
}

BOOL FaultySpooler::ClosePrinter(HANDLE handle) {
    plan_.Check("ClosePrinter", "");
    if (open_.erase(handle) == 0) {
        ++badCloses_;
        return FALSE;
    }
    return real_.ClosePrinter(handle);
}

BOOL FaultySpooler::XcvData(HANDLE monitor, const wchar_t* command, BYTE* input, DWORD inputSize, BYTE* output,
                            DWORD outputSize, DWORD* needed, DWORD* status) {
    xcvInputSizes.push_back(inputSize);
    xcvInputs.push_back(reinterpret_cast<const wchar_t*>(input));
    if (plan_.Check("XcvData", Narrow(command))) return FALSE;
    return real_.XcvData(monitor, command, input, inputSize, output, outputSize, needed, status);
}

BOOL FaultySpooler::EnumPrinterDrivers(const char* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                                       DWORD* returned) {
    if (plan_.Check("EnumPrinterDrivers", Listing(buffer))) return FALSE;
    return real_.EnumPrinterDrivers(environment, level, buffer, size, needed, returned);
}

BOOL FaultySpooler::AddPrinterDriverEx(DWORD level, BYTE* info, DWORD flags) {
    const DRIVER_INFO_3A* driver = reinterpret_cast<const DRIVER_INFO_3A*>(info);
    driverRecord = {Text(driver->pName),       Text(driver->pEnvironment),    Text(driver->pDriverPath),
                    Text(driver->pDataFile),   Text(driver->pConfigFile),     Text(driver->pHelpFile),
                    Text(driver->pDependentFiles), Text(driver->pMonitorName), Text(driver->pDefaultDataType)};
    driverVersion = driver->cVersion;
    driverFlags = flags;
    if (plan_.Check("AddPrinterDriverEx", Text(driver->pName))) return FALSE;
    return real_.AddPrinterDriverEx(level, info, flags);
}

BOOL FaultySpooler::DeletePrinterDriverEx(const char* environment, const char* driver, DWORD flags, DWORD version) {
    deleteDriverFlags = flags;
    if (plan_.Check("DeletePrinterDriverEx", Text(driver))) return FALSE;
    return real_.DeletePrinterDriverEx(environment, driver, flags, version);
}

HANDLE FaultySpooler::AddPrinter(DWORD level, BYTE* info) {
    const PRINTER_INFO_2A* printer = reinterpret_cast<const PRINTER_INFO_2A*>(info);
    printerRecord = {Text(printer->pPrinterName), Text(printer->pPortName), Text(printer->pDriverName),
                     Text(printer->pPrintProcessor), Text(printer->pDatatype)};
    printerAttributes = printer->Attributes;
    printerRecordOtherFieldsZero =
        !printer->pServerName && !printer->pShareName && !printer->pComment && !printer->pLocation &&
        !printer->pDevMode && !printer->pSepFile && !printer->pParameters && !printer->pSecurityDescriptor &&
        !printer->Priority && !printer->DefaultPriority && !printer->StartTime && !printer->UntilTime &&
        !printer->Status && !printer->cJobs && !printer->AveragePPM;
    if (plan_.Check("AddPrinter", Text(printer->pPrinterName))) return nullptr;
    HANDLE handle = real_.AddPrinter(level, info);
    if (handle) open_.insert(handle);
    return handle;
}

BOOL FaultySpooler::DeletePrinter(HANDLE printer) {
    if (plan_.Check("DeletePrinter", "")) return FALSE;
    return real_.DeletePrinter(printer);
}

BOOL FaultySpooler::EnumPrinters(DWORD flags, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                                 DWORD* returned) {
    if (plan_.Check("EnumPrinters", Listing(buffer))) return FALSE;
    return real_.EnumPrinters(flags, level, buffer, size, needed, returned);
}

BOOL FaultySpooler::GetPrinterDriverDirectory(const char* environment, DWORD level, BYTE* buffer, DWORD size,
                                              DWORD* needed) {
    if (plan_.Check("GetPrinterDriverDirectory", "")) return FALSE;
    if (driverDirectory.empty()) return real_.GetPrinterDriverDirectory(environment, level, buffer, size, needed);
    *needed = static_cast<DWORD>(driverDirectory.size() + 1);
    if (*needed > size) return FALSE;
    lstrcpynA(reinterpret_cast<char*>(buffer), driverDirectory.c_str(), static_cast<int>(size));
    return TRUE;
}

// ---- registry

FaultyRegistry::~FaultyRegistry() {
    for (HKEY key : open_) real_.CloseKey(key);
}

LONG FaultyRegistry::CreateKey(HKEY parent, const char* path, HKEY* key) {
    if (plan_.Check("CreateKey", path)) return ERROR_ACCESS_DENIED;
    LONG status = real_.CreateKey(parent, path, key);
    if (status == ERROR_SUCCESS) open_.insert(*key);
    return status;
}

LONG FaultyRegistry::OpenKey(HKEY parent, const char* path, HKEY* key) {
    if (plan_.Check("OpenKey", path)) return ERROR_ACCESS_DENIED;
    LONG status = real_.OpenKey(parent, path, key);
    if (status == ERROR_SUCCESS) open_.insert(*key);
    return status;
}

LONG FaultyRegistry::SetString(HKEY key, const char* name, const char* text) {
    if (plan_.Check("SetString", name)) return ERROR_ACCESS_DENIED;
    return real_.SetString(key, name, text);
}

LONG FaultyRegistry::SetNumber(HKEY key, const char* name, DWORD value) {
    if (plan_.Check("SetNumber", name)) return ERROR_ACCESS_DENIED;
    return real_.SetNumber(key, name, value);
}

LONG FaultyRegistry::EnumKey(HKEY key, DWORD index, char* name, DWORD* length) {
    if (plan_.Check("EnumKey", "")) return ERROR_ACCESS_DENIED;
    return real_.EnumKey(key, index, name, length);
}

LONG FaultyRegistry::DeleteKey(HKEY parent, const char* path) {
    if (plan_.Check("DeleteKey", path)) return ERROR_ACCESS_DENIED;
    return real_.DeleteKey(parent, path);
}

LONG FaultyRegistry::CloseKey(HKEY key) {
    plan_.Check("CloseKey", "");
    if (open_.erase(key) == 0) {
        ++badCloses_;
        return ERROR_INVALID_HANDLE;
    }
    return real_.CloseKey(key);
}

// ---- files

BOOL FaultyFileSystem::CopyFile(const char* from, const char* to) {
    if (plan_.Check("CopyFile", BaseName(to))) return FALSE;
    return real_.CopyFile(from, to);
}

BOOL FaultyFileSystem::DeleteFile(const char* path) {
    if (plan_.Check("DeleteFile", path)) return FALSE;
    return real_.DeleteFile(path);
}

BOOL FaultyFileSystem::CreateDirectory(const char* path, DWORD* error) {
    if (plan_.Check("CreateDirectory", path)) {
        *error = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    return real_.CreateDirectory(path, error);
}

DWORD FaultyFileSystem::GetAttributes(const char* path) {
    if (plan_.Check("GetAttributes", BaseName(path))) return INVALID_FILE_ATTRIBUTES;
    return real_.GetAttributes(path);
}

BOOL FaultyFileSystem::SetAttributes(const char* path, DWORD attributes) {
    if (plan_.Check("SetAttributes", BaseName(path))) return FALSE;
    return real_.SetAttributes(path, attributes);
}

BOOL FaultyFileSystem::CreateEmptyFile(const char* path) {
    if (plan_.Check("CreateEmptyFile", BaseName(path))) return FALSE;
    return real_.CreateEmptyFile(path);
}

// ---- system

BOOL FakeSystemInfo::GetVersion(OSVERSIONINFOA* info) {
    versionRecordSizes.push_back(info->dwOSVersionInfoSize);
    if (plan_.Check("GetVersion", std::to_string(info->dwOSVersionInfoSize))) return FALSE;
    if (!fakeVersion_) return real_.GetVersion(info);
    info->dwPlatformId = platform_;
    info->dwMajorVersion = major_;
    info->dwMinorVersion = minor_;
    return TRUE;
}

UINT FakeSystemInfo::GetSystemDirectory(char* buffer, UINT size) {
    if (plan_.Check("GetSystemDirectory", "")) return 0;
    if (systemDirectory_.empty()) return real_.GetSystemDirectory(buffer, size);
    lstrcpynA(buffer, systemDirectory_.c_str(), static_cast<int>(size));
    return static_cast<UINT>(systemDirectory_.size());
}

DWORD FakeSystemInfo::GetModuleFileName(HMODULE module, char* buffer, DWORD size) {
    if (plan_.Check("GetModuleFileName", module ? "library" : "program")) return 0;
    if (module || programPath_.empty()) return real_.GetModuleFileName(module, buffer, size);
    // As Windows does: cut to the buffer and report the buffer's size.
    DWORD length = static_cast<DWORD>(programPath_.size());
    lstrcpynA(buffer, programPath_.c_str(), static_cast<int>(size));
    return length < size ? length : size;
}

// ---- memory

void* FaultyMemory::Allocate(size_t size) {
    if (plan_.Check("Allocate", "")) return nullptr;
    void* block = real_.Allocate(size);
    if (block) ++outstanding_;
    return block;
}

void FaultyMemory::Release(void* block) {
    --outstanding_;
    real_.Release(block);
}

// ---- scope

ScopedFaults::ScopedFaults() : saved_(olvet::g_services) {
    olvet::ResetSetupState();
    // Linked into the test program, the library's own file is the program's.
    olvet::g_state.moduleHandle = GetModuleHandleA(nullptr);
    olvet::g_services = {&spooler, &registry, &files, &system, &memory};
}

ScopedFaults::~ScopedFaults() { olvet::g_services = saved_; }

}  // namespace faults
