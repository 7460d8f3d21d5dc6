#include "progress_window.h"

#include <commctrl.h>

#include "framework/centring.h"

namespace wizard {

const ui::MessageRoute<ProgressWindow> ProgressWindow::kMessageMap[] = {
    ui::OnInitDialog(&ProgressWindow::OnInitDialog),
    ui::EndOfMessageMap<ProgressWindow>(),
};

int ProgressWindow::SetProgress(int percent, const char*) {
    SendMessageA(bar_.Handle(), PBM_SETPOS, percent, 0);
    return 0;
}

INT_PTR ProgressWindow::OnInitDialog(WPARAM, LPARAM) {
    bar_.Subclass(GetDlgItem(Handle(), IDC_PROGRESS_BAR));
    SendMessageA(bar_.Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ui::CentreWindow(Handle());
    return TRUE;
}

}  // namespace wizard
