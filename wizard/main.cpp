// Olvet_PDF_Creator_UnInstaller_Win: asks for confirmation, removes the printer through the setup library and
// offers a restart. The process exit code tells how it ended: 2 cancelled, 1 after the removal, 0 restarted,
// -1 when the first page could not be shown.
// windows.h comes first: the other system headers build on its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include "framework/module.h"
#include "welcome_page.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    // A first call into the window manager before any window exists, so that the thread is set up for windows
    // before the common controls register their classes.
    DefWindowProcA(nullptr, 0, 0, 0);
    // The progress bar class is asked for by name: a bar class set alone does not cover it everywhere.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ui::TheModule().Init(instance);

    INT_PTR endCode;
    {
        wizard::WelcomePage welcome;
        // No window has been shown yet, so the page has no owner and is centred in the work area.
        endCode = welcome.RunModal(GetActiveWindow());
    }

    ui::TheModule().Term();
    CoUninitialize();
    return static_cast<int>(endCode);
}
