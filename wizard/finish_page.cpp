#include "finish_page.h"

#include "framework/centring.h"
#include "restart.h"

namespace wizard {

const ui::MessageRoute<FinishPage> FinishPage::kMessageMap[] = {
    ui::OnInitDialog(&FinishPage::OnInitDialog),
    ui::OnCommand(IDOK, &FinishPage::OnFinish),
    ui::OnCommand(IDCANCEL, &FinishPage::OnRebootOrDismiss),
    ui::EndOfMessageMap<FinishPage>(),
};

INT_PTR FinishPage::OnInitDialog(WPARAM, LPARAM) {
    ui::CentreWindow(Handle());
    reboot_.Subclass(GetDlgItem(Handle(), IDCANCEL));
    // Both buttons carry the default style in the template, and the dialog manager keeps the last one, Reboot,
    // as the default: Enter would then restart the computer even with the focus on Finish.
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
    return TRUE;
}

INT_PTR FinishPage::OnFinish(WPARAM, LPARAM) {
    End(0);
    return 0;
}

// A forced restart closes every program without asking, so only a click of the button itself may start one;
// Esc and the close box, which also come as id 2, mean "done here", like Finish.
INT_PTR FinishPage::OnRebootOrDismiss(WPARAM, LPARAM control) {
    if (control && reinterpret_cast<HWND>(control) == reboot_.Handle() && reboot_.IsReportingOwnClick()) {
        RestartComputer(Handle());
    }
    End(0);
    return 0;
}

}  // namespace wizard
