#pragma once
// The desktop window on an X11 server with an EWMH window manager (or none):
// _NET_WM_WINDOW_TYPE_DESKTOP, _NET_WM_STATE below / sticky / skip taskbar /
// skip pager, and an XShape bounding shape made of the frame's shown pixels.
// The input shape follows the bounding shape, so clicks on pure blue reach the
// desktop beneath.

#include <X11/Xlib.h>

#include "platform_x11/DesktopWindowShell.h"
#include "platform_x11/X11SharedPieces.h"

namespace moravel {

class X11DesktopWindowShell : public DesktopWindowShell {
 public:
  // `display` and `connection` (may be null) are borrowed (the toolkit's
  // connection); `window` must exist.
  X11DesktopWindowShell(Display* display, Window window, xcb_connection_t* connection = nullptr);

  void PlaceOnDesktop() override;
  ~X11DesktopWindowShell() override;

  // Needs X11CanShowPieces.
  void ShowPiece(Bitmap& piece, Rect area) override;
  void ShapePiece(const Bitmap& piece, Rect area, bool anyKey) override;
  void Flush() override;

 private:
  Display* display_;
  Window window_;
  bool hasShape_ = false;
  GC gc_ = nullptr;
  int redShift_ = 16, greenShift_ = 8, blueShift_ = 0;  // of the default visual
  X11SharedPieces shared_;
};

}  // namespace moravel
