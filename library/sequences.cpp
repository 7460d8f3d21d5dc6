#include "sequences.h"

#include "driver.h"
#include "install_directory.h"
#include "olvet_pdf_printer_installer.h"
#include "port.h"
#include "printer.h"
#include "removal.h"
#include "setup_state.h"

namespace olvet {
namespace {

struct Milestone {
    int percent;
    const char* message;
    int (*step)();  // null after the last step
};

constexpr Milestone kInstallMilestones[] = {
    {20, "Adding port...", AddPrinterPort},
    {40, "Installing driver...", InstallPrinterDriver},
    {60, "Installing printer...", CreatePrinterQueue},
    {80, "Updating registry...", SetUpInstallDirectory},
    {100, "Finishing installing...", nullptr},
};

}  // namespace

int RunInstallSequence(IProgressInfo* progress) {
    for (const Milestone& milestone : kInstallMilestones) {
        if (progress) progress->SetProgress(milestone.percent, milestone.message);
        if (milestone.step && !milestone.step()) return 0;
    }
    return 1;
}

int RunUninstallSequence() {
    g_state.stage = StagePrinterAdded;
    RemoveByStage();
    RemoveProductKeys();
    return 1;
}

}  // namespace olvet
