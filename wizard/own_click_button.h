// A push button that can tell its own click from the dialog manager's commands that borrow its id.
//
// The Reboot button has the cancel id, so Esc and the close box arrive as the very same WM_COMMAND: the dialog
// manager sends id 2, notification 0 and the handle of the control with id 2, exactly what a click sends. Only
// where the command comes from differs: a click is reported from inside the button's own window procedure
// (mouse-up, Space, BM_CLICK), the others from the dialog's message loop.
#pragma once

#include "framework/subclassed_window.h"

namespace wizard {

class OwnClickButton : public ui::SubclassedWindow {
public:
    // True while the button's own procedure is running, and so while it reports a click of its own.
    bool IsReportingOwnClick() const { return depth_ > 0; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++depth_;
        const LRESULT result = CallOriginal(message, wParam, lParam);
        --depth_;
        return result;
    }

private:
    int depth_ = 0;
};

}  // namespace wizard
