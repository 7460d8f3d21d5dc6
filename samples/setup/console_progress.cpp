#include "console_progress.h"

int ConsoleProgress::SetProgress(int percent, const char* message) {
    WriteLine(percent, "%", message);
    return 0;
}
