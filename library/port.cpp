#include "port.h"

#include "fixed_names.h"
#include "handles.h"
#include "setup_state.h"

namespace olvet {
namespace {

// The monitor reads the port name from a wide buffer; the size passed covers
// the name and its terminator only.
struct PortNameRecord {
    wchar_t text[512] = {};
    DWORD size = 0;

    PortNameRecord() {
        static_assert(sizeof names::kPortWide <= sizeof text, "port name fits the record");
        for (size_t i = 0; i < sizeof names::kPortWide / sizeof names::kPortWide[0]; ++i) text[i] = names::kPortWide[i];
        size = sizeof names::kPortWide;
    }
};

// Sends one command to the Local Port monitor; only the call's own result counts,
// so "already there" and "not there" statuses are success.
bool SendPortCommand(const wchar_t* command) {
    Spooler& spooler = TheSpooler();
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    PrinterHandle monitor(spooler);
    if (!monitor.Open(names::kPortMonitor, &defaults)) return false;

    PortNameRecord record;
    BYTE output[1024];
    DWORD needed = 0;
    DWORD status = 0;
    return spooler.XcvData(monitor.Get(), command, reinterpret_cast<BYTE*>(record.text), record.size, output, 0,
                           &needed, &status) != FALSE;
}

}  // namespace

int AddPrinterPort() {
    if (!SendPortCommand(names::kAddPortCommand)) return Fail(ErrAddPort);
    g_state.stage = StagePortAdded;
    return 1;
}

int DeletePrinterPort() { return SendPortCommand(names::kDeletePortCommand) ? 1 : 0; }

}  // namespace olvet
