#pragma once
// What the program needs from the windowing system for its desktop window
// beyond what the toolkit gives: a place on the desktop layer, a shape that
// lets the desktop show through the frame's pure-blue pixels, and pictures
// drawn straight into the window where the toolkit keeps no copy of the
// window's pixels: the presenter interface (FrameOutput), fed by the
// FramePresenter, which works out both for every backend.
//
// One object serves one native window and must not outlive it. Where the
// program runs without such a system (no display, offscreen tests) it has no
// object of this kind at all.

#include <memory>
#include <optional>
#include <span>

#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "scene/FrameOutput.h"

namespace moravel {

class DesktopWindowShell : public FrameOutput {
 public:
  virtual ~DesktopWindowShell() = default;

  // Before the window is first shown: the desktop window type, below every
  // other window, on all workspaces, in no taskbar and no pager; the shape is
  // empty until the first ShapePiece, so nothing shows before the frame.
  virtual void PlaceOnDesktop() = 0;

  // Sends what ShowPiece and ShapePiece asked for to the server.
  virtual void Flush() = 0;
};

// Whether windows on the Xlib connection `display` (a Display*) can be drawn
// by ShowPiece: a true-colour default visual of 8-bit channels in 32-bit
// pixels. False where the program was built without X11.
bool X11CanShowPieces(void* display);

// A connection of its own to the X display named by $DISPLAY, made before the
// toolkit has one, for the size of the default screen (nothing without such
// a display). It stays open while the probe lives: an X server with no other
// client (Xvfb) resets when the last one leaves, and would refuse the
// toolkit's connection meanwhile.
class X11ScreenProbe {
 public:
  X11ScreenProbe();
  ~X11ScreenProbe();
  X11ScreenProbe(const X11ScreenProbe&) = delete;
  X11ScreenProbe& operator=(const X11ScreenProbe&) = delete;

  std::optional<Rect> size() const { return size_; }

 private:
  void* display_ = nullptr;
  std::optional<Rect> size_;
};

// The X11 shell of `window` on the Xlib connection `display` (a Display*,
// owned by the caller) and, when given, the XCB connection under it (an
// xcb_connection_t*), which lets the shell wait for the server to have read
// one large piece rather than for all it was sent. Nothing where the program
// was built without X11.
std::unique_ptr<DesktopWindowShell> CreateX11DesktopWindowShell(void* display, unsigned long window,
                                                                void* connection = nullptr);

}  // namespace moravel
