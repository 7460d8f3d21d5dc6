// The print spooler operations the setup steps use, behind one interface so
// that tests can make any of them fail. Every call targets the local machine.
#pragma once

#include <windows.h>
#include <winspool.h>

namespace olvet {

class Spooler {
public:
    virtual BOOL OpenPrinter(const char* name, HANDLE* handle, PRINTER_DEFAULTSA* defaults) = 0;
    virtual BOOL ClosePrinter(HANDLE handle) = 0;
    virtual BOOL XcvData(HANDLE monitor, const wchar_t* command, BYTE* input, DWORD inputSize, BYTE* output,
                         DWORD outputSize, DWORD* needed, DWORD* status) = 0;
    virtual BOOL EnumPrinterDrivers(const char* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                                    DWORD* returned) = 0;
    virtual BOOL AddPrinterDriverEx(DWORD level, BYTE* info, DWORD flags) = 0;
    virtual BOOL DeletePrinterDriverEx(const char* environment, const char* driver, DWORD flags, DWORD version) = 0;
    virtual HANDLE AddPrinter(DWORD level, BYTE* info) = 0;
    virtual BOOL DeletePrinter(HANDLE printer) = 0;
    virtual BOOL EnumPrinters(DWORD flags, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                              DWORD* returned) = 0;
    virtual BOOL GetPrinterDriverDirectory(const char* environment, DWORD level, BYTE* buffer, DWORD size,
                                           DWORD* needed) = 0;

protected:
    ~Spooler() = default;
};

// The system's own spooler (winspool.drv).
Spooler& Win32Spooler();

}  // namespace olvet
