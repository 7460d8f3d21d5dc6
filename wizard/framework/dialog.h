// A dialog object bound to a numbered template, with a per-class table of message handlers.
//
//   class SomePage : public ui::Dialog<SomePage> {
//   public:
//       enum { IDD = 130 };
//       static const ui::MessageRoute<SomePage> kMessageMap[];
//       ...
//   };
//   const ui::MessageRoute<SomePage> SomePage::kMessageMap[] = {
//       ui::OnInitDialog(&SomePage::OnInit),
//       ui::OnCommand(IDOK, &SomePage::OnOk),
//       ui::EndOfMessageMap<SomePage>(),
//   };
//
// A handler takes the message's wParam and lParam and returns the result for the dialog manager. Messages without
// a row, and commands of controls without a row, get the dialog manager's default handling.
#pragma once

#include <windows.h>

#include "module.h"

namespace ui {

template <class T>
struct MessageRoute {
    UINT message;  // 0 ends the table
    WORD id;       // WM_COMMAND only: the control id; the notification code is not looked at
    INT_PTR (T::*handler)(WPARAM wParam, LPARAM lParam);
};

template <class T>
constexpr MessageRoute<T> OnInitDialog(INT_PTR (T::*handler)(WPARAM, LPARAM)) {
    return {WM_INITDIALOG, 0, handler};
}

template <class T>
constexpr MessageRoute<T> OnCommand(int id, INT_PTR (T::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, static_cast<WORD>(id), handler};
}

template <class T>
constexpr MessageRoute<T> EndOfMessageMap() {
    return {0, 0, nullptr};
}

// What every dialog object shares, whatever its table.
class DialogBase {
public:
    HWND Handle() const { return window_; }
    void End(INT_PTR code) { EndDialog(window_, code); }

    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

protected:
    DialogBase() = default;
    // A modeless window must not outlive the object its procedure calls into.
    ~DialogBase() {
        if (window_) DestroyWindow(window_);
    }

    // The object of a window: bound at WM_INITDIALOG, from the creation parameter that carries it; null for the
    // messages that come before (WM_SETFONT among them), which get the default handling.
    static DialogBase* Bound(HWND window, UINT message, LPARAM lParam);
    // WM_NCDESTROY is the window's last message: afterwards the object has no window.
    void Unbind();
    // Results go back the way the dialog manager reads them: WM_INITDIALOG's directly (TRUE lets it set the
    // focus), every other through DWLP_MSGRESULT, with TRUE meaning "handled".
    INT_PTR Answer(UINT message, INT_PTR result);

    HWND window_ = nullptr;
    LPARAM initParam_ = 0;  // the caller's creation parameter, handed to the WM_INITDIALOG handler
};

template <class T>
class Dialog : public DialogBase {
public:
    // Returns the end code, or -1 when the dialog cannot be created.
    INT_PTR RunModal(HWND owner, LPARAM initParam = 0) {
        initParam_ = initParam;
        return DialogBoxParamA(TheModule().Instance(), MAKEINTRESOURCEA(T::IDD), owner, &Procedure, Self());
    }

    // The window exists, initialised and hidden unless its template says otherwise, when this returns.
    HWND Create(HWND owner, LPARAM initParam = 0) {
        initParam_ = initParam;
        return CreateDialogParamA(TheModule().Instance(), MAKEINTRESOURCEA(T::IDD), owner, &Procedure, Self());
    }

protected:
    Dialog() = default;
    ~Dialog() = default;

private:
    LPARAM Self() { return reinterpret_cast<LPARAM>(static_cast<DialogBase*>(this)); }

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        DialogBase* bound = Bound(window, message, lParam);
        if (!bound) return FALSE;
        T* self = static_cast<T*>(bound);
        if (message == WM_INITDIALOG) lParam = self->initParam_;

        INT_PTR answer = FALSE;
        for (const MessageRoute<T>* route = T::kMessageMap; route->message; ++route) {
            if (route->message != message) continue;
            if (message == WM_COMMAND && route->id != LOWORD(wParam)) continue;
            answer = self->Answer(message, (self->*route->handler)(wParam, lParam));
            break;
        }
        if (message == WM_NCDESTROY) self->Unbind();
        return answer;
    }
};

}  // namespace ui
