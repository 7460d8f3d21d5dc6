#include "subclassed_window.h"

namespace ui {

namespace {
// A window property finds the object from the window: controls keep their own data in their window words.
const char kObjectProperty[] = "OlvetSubclassedWindow";
}  // namespace

SubclassedWindow::~SubclassedWindow() {
    if (window_) Release();
}

bool SubclassedWindow::Subclass(HWND control) {
    if (!control || window_) return false;
    if (!SetPropA(control, kObjectProperty, this)) return false;
    // The object must know the original procedure before the first message reaches ours.
    original_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    window_ = control;
    if (!original_ || !SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure))) {
        RemovePropA(control, kObjectProperty);
        window_ = nullptr;
        original_ = nullptr;
        return false;
    }
    return true;
}

LRESULT SubclassedWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(message, wParam, lParam);
}

LRESULT SubclassedWindow::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, window_, message, wParam, lParam);
}

// Puts the control's procedure back only if ours is still the installed one: whoever subclassed after us would
// otherwise be cut out of the chain.
void SubclassedWindow::Release() {
    if (GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
    RemovePropA(window_, kObjectProperty);
    window_ = nullptr;
    original_ = nullptr;
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedWindow*>(GetPropA(window, kObjectProperty));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return self->OnMessage(message, wParam, lParam);
    // The control cleans up first, with its own procedure; only then is the window given back.
    const LRESULT result = self->CallOriginal(message, wParam, lParam);
    self->Release();
    return result;
}

}  // namespace ui
