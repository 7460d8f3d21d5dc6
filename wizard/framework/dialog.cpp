#include "dialog.h"

namespace ui {

DialogBase* DialogBase::Bound(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogBase*>(lParam);
        self->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return self;
    }
    return reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
}

void DialogBase::Unbind() {
    SetWindowLongPtrA(window_, DWLP_USER, 0);
    window_ = nullptr;
}

INT_PTR DialogBase::Answer(UINT message, INT_PTR result) {
    if (message == WM_INITDIALOG) return result;
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace ui
