// The library's one process-wide record and the codes its steps share.
#pragma once

#include <windows.h>

namespace olvet {

enum InstallStage : LONG {
    StageNone = 0,
    StagePortAdded = 1,
    StageDriverFileCopied = 2,
    StageUiFileCopied = 3,
    StageDataFileCreated = 4,
    StageDriverAdded = 5,
    StagePrinterAdded = 6,
};

enum SetupError : LONG {
    ErrNone = 0,
    ErrUnsupportedSystem = 2,
    ErrAddPort = 3,
    ErrAddDriver = 4,
    ErrAddPrinter = 5,
    ErrCreateDirectory = 6,
    ErrCopyFile = 7,
    ErrRegistry = 8,
};

struct SetupState {
    char installDir[MAX_PATH];
    char sourceDir[MAX_PATH];
    char driverDir[MAX_PATH];
    char fromPath[MAX_PATH];
    char toPath[MAX_PATH];
    LONG driverVersionDir;
    HMODULE moduleHandle;
    InstallStage stage;
    SetupError lastError;
};

// Constant-initialised: the library runs no construction code at load.
extern SetupState g_state;

// A step's failure: records the code and yields the step result 0.
inline int Fail(SetupError code) {
    g_state.lastError = code;
    return 0;
}

// Restores the load-time state; for tests that run several scenarios in one process.
void ResetSetupState();

}  // namespace olvet
