#pragma once
// The desktop window on an X11 server with an EWMH window manager (or none):
// _NET_WM_WINDOW_TYPE_DESKTOP, _NET_WM_STATE below / sticky / skip taskbar /
// skip pager, and an XShape bounding shape made of the frame's shown pixels.
// The input shape follows the bounding shape, so clicks on pure blue reach the
// desktop beneath.

#include <X11/Xlib.h>

#include "platform_x11/DesktopWindowShell.h"

namespace moravel {

class X11DesktopWindowShell : public DesktopWindowShell {
 public:
  // `display` is borrowed (the toolkit's connection); `window` must exist.
  X11DesktopWindowShell(Display* display, Window window);

  void PlaceOnDesktop() override;
  void UpdateShape(const Bitmap& frame, std::span<const Rect> changed) override;

 private:
  Display* display_;
  Window window_;
  bool hasShape_ = false;
};

}  // namespace moravel
