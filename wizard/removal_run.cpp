#include "removal_run.h"

#include <olvet_pdf_printer_installer.h>

#include "finish_page.h"
#include "progress_window.h"
#include "result_messages.h"
#include "welcome_page.h"

namespace wizard {

namespace {

// A private message number of the progress window that nothing posts.
const UINT kNeverSent = WM_APP + 0x3FFF;

void Show(ProgressWindow& progress) {
    ShowWindow(progress.Handle(), SW_SHOW);
    // The library call keeps this thread busy and no message is processed until it returns, so the window is
    // painted now, frame and progress bar included, or the person would look at an empty outline meanwhile.
    RedrawWindow(progress.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Where the window system buffers what was drawn (Wine under X), it hands the picture to the screen when the
    // thread looks for messages and finds none. Ask for a message that is never sent: nothing is taken from the
    // queue and no input is acted on.
    MSG none;
    PeekMessageA(&none, progress.Handle(), kNeverSent, kNeverSent, PM_NOREMOVE);
}

}  // namespace

void RunRemoval(WelcomePage& welcome) {
    ProgressWindow progress;
    progress.Create(welcome.Handle());
    Show(progress);
    const int result = UnInstallOlvetPDFPrinter(static_cast<IProgressInfo*>(&progress));
    ShowWindow(progress.Handle(), SW_HIDE);
    DestroyWindow(progress.Handle());

    if (const char* message = ResultMessage(result)) {
        MessageBoxA(welcome.Handle(), message, kErrorCaption, MB_OK);
    }
    welcome.End(kExitAfterRemoval);
    if (result == OLVET_SETUP_OK) {
        FinishPage finish;
        finish.RunModal(GetActiveWindow());
    }
}

}  // namespace wizard
