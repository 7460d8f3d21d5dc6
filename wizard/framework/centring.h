// Where the wizard's windows appear: centred over their owner, or in the work area, and never outside it.
#pragma once

#include <windows.h>

namespace ui {

// The new top-left corner of a window of the given size centred on target and kept inside area. Halves truncate
// toward zero; a window larger than the area gets only one of the two corrections per axis, the near edge first.
POINT CentredOrigin(SIZE window, const RECT& target, const RECT& area);

// Centres a window on its reference window: the parent of a child, else a visible, unminimised owner, else the
// work area.
void CentreWindow(HWND window);

}  // namespace ui
