// The setup program an integrator would write around olvet_pdf_printer_installer.dll, as a console program:
//   olvet_setup_sample install [install-dir]
//   olvet_setup_sample uninstall
// It prints the milestones, then "Result: <code> (<words>)", and exits with the library's result code.
#include <olvet_pdf_printer_installer.h>

#include <cstdio>
#include <cstring>

#include "console_progress.h"
#include "result_text.h"

namespace {

// Not one of the library's codes, so that a wrong command line is told apart from any result.
const int kUsageError = 1;

int Install(ConsoleProgress& progress, const char* install_dir) {
    return InstallOlvetPDFPrinter(progress.Interface(), install_dir);
}

int Uninstall(ConsoleProgress& progress, const char*) {
    return UnInstallOlvetPDFPrinter(progress.Interface());
}

struct Command {
    const char* name;
    int max_arguments;
    int (*run)(ConsoleProgress&, const char* argument);
};

const Command kCommands[] = {
    {"install", 1, Install},
    {"uninstall", 0, Uninstall},
};

const Command* FindCommand(const char* name) {
    for (const Command& command : kCommands) {
        if (std::strcmp(command.name, name) == 0) return &command;
    }
    return nullptr;
}

int Usage() {
    std::fputs(
        "usage: olvet_setup_sample install [install-dir]\n"
        "       olvet_setup_sample uninstall\n",
        stderr);
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const Command* command = FindCommand(argv[1]);
    const int arguments = argc - 2;
    if (!command || arguments > command->max_arguments) return Usage();

    ConsoleProgress progress(stdout);
    const int result = command->run(progress, arguments > 0 ? argv[2] : nullptr);
    std::printf("Result: %d (%s)\n", result, ResultText(result));
    return result;
}
