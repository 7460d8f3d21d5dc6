#include "welcome_page.h"

#include "framework/centring.h"
#include "removal_run.h"

namespace wizard {

const ui::MessageRoute<WelcomePage> WelcomePage::kMessageMap[] = {
    ui::OnInitDialog(&WelcomePage::OnInitDialog),
    ui::OnCommand(IDOK, &WelcomePage::OnNext),
    ui::OnCommand(IDCANCEL, &WelcomePage::OnCancel),
    ui::EndOfMessageMap<WelcomePage>(),
};

INT_PTR WelcomePage::OnInitDialog(WPARAM, LPARAM) {
    ui::CentreWindow(Handle());
    const HINSTANCE instance = ui::TheModule().Instance();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(
                     bigIcon_.Load(instance, IDI_PROGRAM, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_.Load(instance, IDI_PROGRAM, GetSystemMetrics(SM_CXSMICON),
                                                          GetSystemMetrics(SM_CYSMICON))));
    return TRUE;
}

INT_PTR WelcomePage::OnNext(WPARAM, LPARAM) {
    RunRemoval(*this);
    return 0;
}

INT_PTR WelcomePage::OnCancel(WPARAM, LPARAM) {
    End(kExitCancelled);
    return 0;
}

}  // namespace wizard
