// The small window shown while the library removes the printer; also the progress callback lent to the library.
#pragma once

#include <olvet_pdf_printer_installer.h>

#include "framework/dialog.h"
#include "framework/subclassed_window.h"
#include "resource_ids.h"

namespace wizard {

// The dialog base comes first: the library is handed the IProgressInfo part, never the object's start.
class ProgressWindow : public ui::Dialog<ProgressWindow>, public IProgressInfo {
public:
    enum { IDD = IDD_PROGRESS_WINDOW };
    static const ui::MessageRoute<ProgressWindow> kMessageMap[];

    // The message is the library's and is shown nowhere: the bar alone says how far the work has come.
    int SetProgress(int percent, const char* message) override;

private:
    INT_PTR OnInitDialog(WPARAM, LPARAM);

    // Holds the progress bar's handle for as long as the control exists.
    ui::SubclassedWindow bar_;
};

}  // namespace wizard
