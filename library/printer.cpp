#include "printer.h"

#include "fixed_names.h"
#include "handles.h"
#include "removal.h"
#include "setup_state.h"

namespace olvet {

int CreatePrinterQueue() {
    Spooler& spooler = TheSpooler();
    {
        // A printer of this name is taken as it is, whatever its port and driver.
        PrinterHandle existing(spooler);
        if (existing.Open(names::kPrinter, nullptr)) {
            g_state.stage = StagePrinterAdded;
            return 1;
        }
    }

    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(names::kPrinter);
    info.pPortName = const_cast<char*>(names::kPort);
    info.pDriverName = const_cast<char*>(names::kDriver);
    info.pPrintProcessor = const_cast<char*>(names::kPrintProcessor);
    info.pDatatype = const_cast<char*>(names::kDatatype);
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;

    PrinterHandle added(spooler);
    added.Adopt(spooler.AddPrinter(2, reinterpret_cast<BYTE*>(&info)));
    if (!added.Get()) {
        RemoveByStage();
        return Fail(ErrAddPrinter);
    }
    g_state.stage = StagePrinterAdded;
    return 1;
}

}  // namespace olvet
