#include "driver.h"

#include "bounded_text.h"
#include "fixed_names.h"
#include "handles.h"
#include "removal.h"
#include "setup_state.h"
#include "spooler/enumeration.h"

namespace olvet {
namespace {

// The failing piece of work is undone first, so the code recorded last is this step's own.
int RollBackAndFail(SetupError code) {
    RemoveByStage();
    return Fail(code);
}

enum class Lookup { Found, Missing, Failed };

Lookup FindRegisteredDriver() {
    Spooler& spooler = TheSpooler();
    HeapBlock block;
    DWORD count = 0;
    auto list = [&spooler](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return spooler.EnumPrinterDrivers(names::kEnvironment, 3, buffer, size, needed, returned);
    };
    if (!ListRecords(list, block, &count)) return Lookup::Failed;
    const DRIVER_INFO_3A* drivers = reinterpret_cast<const DRIVER_INFO_3A*>(block.Data());
    for (DWORD i = 0; i < count; ++i) {
        if (drivers[i].pName && SameText(drivers[i].pName, names::kDriver)) return Lookup::Found;
    }
    return Lookup::Missing;
}

bool StageModule(const char* file) {
    return ComposePath(g_state.fromPath, g_state.sourceDir, file) &&
           ComposePath(g_state.toPath, g_state.driverDir, file) &&
           TheFiles().CopyFile(g_state.fromPath, g_state.toPath);
}

// Installed from a read-only medium, a staged module would keep the mark and
// could not be replaced or deleted later.
void ClearReadOnly(const char* file) {
    if (!ComposePath(g_state.toPath, g_state.driverDir, file)) return;
    DWORD attributes = TheFiles().GetAttributes(g_state.toPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        TheFiles().SetAttributes(g_state.toPath, (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL);
    }
}

struct StagedModule {
    const char* file;
    InstallStage reached;
};

constexpr StagedModule kModules[] = {
    {names::kDriverFile, StageDriverFileCopied},
    {names::kUiFile, StageUiFileCopied},
};

}  // namespace

int InstallPrinterDriver() {
    switch (FindRegisteredDriver()) {
        case Lookup::Failed:
            return RollBackAndFail(ErrAddDriver);
        case Lookup::Found:
            g_state.stage = StageDriverAdded;
            return 1;
        case Lookup::Missing:
            break;
    }

    for (const StagedModule& module : kModules) {
        if (!StageModule(module.file)) return RollBackAndFail(ErrCopyFile);
        g_state.stage = module.reached;
    }

    // The spooler would otherwise add a driver whose data file does not exist.
    if (!ComposePath(g_state.toPath, g_state.driverDir, names::kDataFile) ||
        !TheFiles().CreateEmptyFile(g_state.toPath)) {
        return RollBackAndFail(ErrCopyFile);
    }

    char empty[] = "";
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(names::kDriver);
    driver.pEnvironment = const_cast<char*>(names::kEnvironment);
    driver.pDriverPath = const_cast<char*>(names::kDriverFile);
    driver.pDataFile = const_cast<char*>(names::kDataFile);
    driver.pConfigFile = const_cast<char*>(names::kUiFile);
    driver.pHelpFile = empty;
    driver.pDependentFiles = empty;  // a lone NUL: the empty double-NUL list
    driver.pMonitorName = nullptr;
    driver.pDefaultDataType = empty;
    g_state.stage = StageDataFileCreated;

    if (!TheSpooler().AddPrinterDriverEx(3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES)) {
        return RollBackAndFail(ErrAddDriver);
    }
    g_state.stage = StageDriverAdded;

    for (const StagedModule& module : kModules) ClearReadOnly(module.file);
    return 1;
}

}  // namespace olvet
