// A window object that takes over a child control's window procedure and gives it back when the control goes.
#pragma once

#include <windows.h>

namespace ui {

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    // False, with no handle kept, when there is no control or it cannot be subclassed.
    bool Subclass(HWND control);
    HWND Handle() const { return window_; }

protected:
    // Every message but WM_NCDESTROY passes through here; by default the control's own procedure answers it.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Release();

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace ui
