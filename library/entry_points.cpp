// The library's exported surface. Built without exceptions, so none can
// leave these functions.
#include "environment.h"
#include "olvet_pdf_printer_installer.h"
#include "sequences.h"
#include "setup_state.h"

using namespace olvet;

extern "C" int __cdecl InstallOlvetPDFPrinter(IProgressInfo* progress, const char* installDir) {
    g_state.lastError = ErrNone;
    if (!ProbeOperatingSystem() || !ResolvePaths(installDir)) return g_state.lastError;
    return RunInstallSequence(progress) ? ErrNone : g_state.lastError;
}

extern "C" int __cdecl UnInstallOlvetPDFPrinter(IProgressInfo* /*progress: never called back*/) {
    g_state.lastError = ErrNone;
    if (!ProbeOperatingSystem() || !ResolvePaths(nullptr)) return g_state.lastError;
    RunUninstallSequence();
    return ErrNone;
}
