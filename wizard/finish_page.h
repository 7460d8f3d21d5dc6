// The last page: the removal is done; finish, or restart the computer.
#pragma once

#include "framework/dialog.h"
#include "own_click_button.h"
#include "resource_ids.h"

namespace wizard {

class FinishPage : public ui::Dialog<FinishPage> {
public:
    enum { IDD = IDD_FINISH_PAGE };
    static const ui::MessageRoute<FinishPage> kMessageMap[];

private:
    INT_PTR OnInitDialog(WPARAM, LPARAM);
    INT_PTR OnFinish(WPARAM, LPARAM);
    INT_PTR OnRebootOrDismiss(WPARAM, LPARAM control);

    OwnClickButton reboot_;
};

}  // namespace wizard
