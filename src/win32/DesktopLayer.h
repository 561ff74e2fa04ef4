#pragma once
// Where the program's windows lie on Windows: in the window of the desktop's
// icons when there is one (then "show desktop" and clicks leave them where
// they are), else as top-level windows kept at the bottom of the Z order.

#include <windows.h>

#include "raster/Rect.h"

namespace moravel {

// The window of the desktop's icons: the first child of the first child of
// the top-level "Progman" window when that is a "SysListView32"; null
// otherwise.
HWND FindDesktopListView();

// Hangs `window` (a WS_POPUP window of ours) into the icon window, or keeps
// it top-level at the bottom, covering `area` (desktop pixels) either way.
void PlaceOnDesktop(HWND window, Rect area);

// For WM_WINDOWPOSCHANGING: a top-level window of ours stays at the bottom,
// whatever raises it.
void KeepAtBottom(HWND window, WINDOWPOS& change);

}  // namespace moravel
