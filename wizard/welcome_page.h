// The first page: asks whether to remove the printer.
#pragma once

#include "framework/dialog.h"
#include "icon.h"
#include "resource_ids.h"

namespace wizard {

class WelcomePage : public ui::Dialog<WelcomePage> {
public:
    enum { IDD = IDD_WELCOME_PAGE };
    static const ui::MessageRoute<WelcomePage> kMessageMap[];

private:
    INT_PTR OnInitDialog(WPARAM, LPARAM);
    INT_PTR OnNext(WPARAM, LPARAM);
    INT_PTR OnCancel(WPARAM, LPARAM);

    // The window keeps using them until it is gone, which is before the page object goes.
    Icon bigIcon_;
    Icon smallIcon_;
};

// End codes of the welcome page, which become the process exit code.
enum ExitCode {
    kExitRestarted = 0,
    kExitAfterRemoval = 1,
    kExitCancelled = 2,
};

}  // namespace wizard
