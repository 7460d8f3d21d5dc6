// Shows the library's milestones on a console, one line each: "20% Adding port...".
#ifndef OLVET_SAMPLE_CONSOLE_PROGRESS_H
#define OLVET_SAMPLE_CONSOLE_PROGRESS_H

#include <olvet_pdf_printer_installer.h>

#include <cstdio>

#include "console.h"

class ConsoleProgress : public Console, public IProgressInfo {
public:
    explicit ConsoleProgress(std::FILE* out) : Console(out) {}

    int SetProgress(int percent, const char* message) override;

    // The library takes a pointer to the interface part, which lies past the Console part of this object.
    IProgressInfo* Interface() { return this; }
};

#endif
