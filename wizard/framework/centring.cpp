#include "centring.h"

namespace ui {

namespace {

LONG CentredEdge(LONG extent, LONG targetNear, LONG targetFar, LONG areaNear, LONG areaFar) {
    LONG edge = (targetNear + targetFar) / 2 - extent / 2;
    if (edge < areaNear) {
        edge = areaNear;
    } else if (edge + extent > areaFar) {
        edge = areaFar - extent;
    }
    return edge;
}

// A hidden or minimised owner is no place to centre on: the page goes to the work area instead.
bool CanCentreOn(HWND reference) {
    const LONG style = GetWindowLongA(reference, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_MINIMIZE);
}

}  // namespace

POINT CentredOrigin(SIZE window, const RECT& target, const RECT& area) {
    return {CentredEdge(window.cx, target.left, target.right, area.left, area.right),
            CentredEdge(window.cy, target.top, target.bottom, area.top, area.bottom)};
}

void CentreWindow(HWND window) {
    RECT own;
    GetWindowRect(window, &own);
    const SIZE size = {own.right - own.left, own.bottom - own.top};

    RECT area;
    RECT target;
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        const HWND parent = GetParent(window);
        GetClientRect(parent, &area);
        target = area;  // the reference is the parent itself, so its client area mapped into itself
    } else {
        HWND reference = GetWindow(window, GW_OWNER);
        if (reference && !CanCentreOn(reference)) reference = nullptr;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        if (reference) {
            GetWindowRect(reference, &target);
        } else {
            target = area;
        }
    }
    const POINT origin = CentredOrigin(size, target, area);
    SetWindowPos(window, nullptr, origin.x, origin.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
