#include "removal.h"

#include "bounded_text.h"
#include "fixed_names.h"
#include "handles.h"
#include "port.h"
#include "setup_state.h"
#include "spooler/enumeration.h"

namespace olvet {
namespace {

// Every printer bound to our port alone goes, whatever its name. Stops at
// the first one that cannot be opened or deleted.
bool DeletePrintersOnPort() {
    Spooler& spooler = TheSpooler();
    HeapBlock block;
    DWORD count = 0;
    auto list = [&spooler](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return spooler.EnumPrinters(PRINTER_ENUM_LOCAL, 2, buffer, size, needed, returned);
    };
    if (!ListRecords(list, block, &count)) return false;

    const PRINTER_INFO_2A* printers = reinterpret_cast<const PRINTER_INFO_2A*>(block.Data());
    for (DWORD i = 0; i < count; ++i) {
        if (!printers[i].pPortName || !SameText(printers[i].pPortName, names::kPort)) continue;
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        PrinterHandle printer(spooler);
        if (!printer.Open(printers[i].pPrinterName, &defaults)) return false;
        if (!spooler.DeletePrinter(printer.Get())) return false;
    }
    return true;
}

void DeleteFileIn(const char* directory, const char* file) {
    if (ComposePath(g_state.toPath, directory, file)) TheFiles().DeleteFile(g_state.toPath);
}

// The spooler normally takes the modules with the driver; where it refuses,
// the installed copies are deleted by name. Never stops the cascade.
bool DeleteDriver() {
    if (TheSpooler().DeletePrinterDriverEx(nullptr, names::kDriver, DPD_DELETE_ALL_FILES, 0)) return true;
    static const char* const kInstalledFiles[] = {names::kDataFile, names::kUiFile, names::kDriverFile};
    for (const char* file : kInstalledFiles) {
        if (ComposeVersionedPath(g_state.toPath, g_state.driverDir, g_state.driverVersionDir, file)) {
            TheFiles().DeleteFile(g_state.toPath);
        }
    }
    return true;
}

bool DeleteStagedDataFile() {
    DeleteFileIn(g_state.driverDir, names::kDataFile);
    return true;
}

bool DeleteStagedUiFile() {
    DeleteFileIn(g_state.driverDir, names::kUiFile);
    return true;
}

bool DeleteStagedDriverFile() {
    DeleteFileIn(g_state.driverDir, names::kDriverFile);
    return true;
}

bool DeletePort() { return DeletePrinterPort() != 0; }

struct CascadeStep {
    InstallStage undoes;
    bool (*run)();  // false stops the removal with result 0
};

// Newest first; the recorded stage picks the entry point, and the port's
// deletion, always last, decides the result.
constexpr CascadeStep kCascade[] = {
    {StagePrinterAdded, DeletePrintersOnPort},
    {StageDriverAdded, DeleteDriver},
    {StageDataFileCreated, DeleteStagedDataFile},
    {StageUiFileCopied, DeleteStagedUiFile},
    {StageDriverFileCopied, DeleteStagedDriverFile},
    {StagePortAdded, DeletePort},
};

}  // namespace

int RemoveByStage() {
    const InstallStage stage = g_state.stage;
    if (stage < StagePortAdded || stage > StagePrinterAdded) return 1;
    for (const CascadeStep& step : kCascade) {
        if (step.undoes <= stage && !step.run()) return 0;
    }
    return 1;
}

LONG DeleteRegistryTree(HKEY parent, const char* path) {
    Registry& registry = TheRegistry();
    {
        RegistryKey key(registry);
        LONG status = key.Open(parent, path);
        if (status != ERROR_SUCCESS) return status;
        for (;;) {
            char name[256];
            DWORD length = sizeof name;
            // Index 0 each time: the sub-key just deleted no longer holds the first place.
            if (registry.EnumKey(key.Get(), 0, name, &length) != ERROR_SUCCESS) break;
            status = DeleteRegistryTree(key.Get(), name);
            if (status != ERROR_SUCCESS) return status;
        }
    }
    return registry.DeleteKey(parent, path);
}

int RemoveProductKeys() {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, names::kUninstallKey);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, names::kProductKey);
    return 1;
}

}  // namespace olvet
