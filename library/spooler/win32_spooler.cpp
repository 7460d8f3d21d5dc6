#include "spooler.h"

namespace olvet {
namespace {

class SystemSpooler final : public Spooler {
public:
    BOOL OpenPrinter(const char* name, HANDLE* handle, PRINTER_DEFAULTSA* defaults) override {
        return ::OpenPrinterA(const_cast<char*>(name), handle, defaults);
    }
    BOOL ClosePrinter(HANDLE handle) override { return ::ClosePrinter(handle); }
    BOOL XcvData(HANDLE monitor, const wchar_t* command, BYTE* input, DWORD inputSize, BYTE* output,
                 DWORD outputSize, DWORD* needed, DWORD* status) override {
        return ::XcvDataW(monitor, command, input, inputSize, output, outputSize, needed, status);
    }
    BOOL EnumPrinterDrivers(const char* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                            DWORD* returned) override {
        return ::EnumPrinterDriversA(nullptr, const_cast<char*>(environment), level, buffer, size, needed, returned);
    }
    BOOL AddPrinterDriverEx(DWORD level, BYTE* info, DWORD flags) override {
        return ::AddPrinterDriverExA(nullptr, level, info, flags);
    }
    BOOL DeletePrinterDriverEx(const char* environment, const char* driver, DWORD flags, DWORD version) override {
        return ::DeletePrinterDriverExA(nullptr, const_cast<char*>(environment), const_cast<char*>(driver), flags,
                                        version);
    }
    HANDLE AddPrinter(DWORD level, BYTE* info) override { return ::AddPrinterA(nullptr, level, info); }
    BOOL DeletePrinter(HANDLE printer) override { return ::DeletePrinter(printer); }
    BOOL EnumPrinters(DWORD flags, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) override {
        return ::EnumPrintersA(flags, nullptr, level, buffer, size, needed, returned);
    }
    BOOL GetPrinterDriverDirectory(const char* environment, DWORD level, BYTE* buffer, DWORD size,
                                   DWORD* needed) override {
        return ::GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), level, buffer, size, needed);
    }
};

SystemSpooler g_systemSpooler;

}  // namespace

Spooler& Win32Spooler() { return g_systemSpooler; }

}  // namespace olvet
