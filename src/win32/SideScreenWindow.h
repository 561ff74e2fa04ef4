#pragma once
// A monitor beside the primary one on Windows: a borderless window on the
// desktop (DesktopLayer) that shows one opaque wallpaper picture and nothing
// else. Holds no logic.
//
// Lifetime: `picture` is borrowed, the area's size, and must stay as it is
// while the window lives. The user-interface thread only.

#include <windows.h>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class SideScreenWindow {
 public:
  // `area` in desktop pixels.
  SideScreenWindow(Rect area, const Bitmap& picture);
  ~SideScreenWindow();
  SideScreenWindow(const SideScreenWindow&) = delete;
  SideScreenWindow& operator=(const SideScreenWindow&) = delete;

  // Makes the window and shows it; false when the system refused.
  bool Create();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  void Paint();

  Rect area_;
  const Bitmap& picture_;
  HWND window_ = nullptr;
  Bitmap rows_;  // scratch: rows of the picture in GDI's pixel order
};

}  // namespace moravel
