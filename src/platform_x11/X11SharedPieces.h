#pragma once
// Large pieces of the desktop frame (a whole frame goes in stripes) sent
// through memory shared with the X server (MIT-SHM): the server reads the
// pixels where they are, so a frame's megabytes do not pass through the
// socket. Small pieces (a clock tick) are not worth it and go as plain images.
//
// One segment of two slots, each the size of the largest piece so far, made
// on first use and kept: a piece is turned into the server's words in the
// slot the previous piece did not use. The server reads a slot only when it
// gets to the request, so before a slot is written again the server is
// waited for: with the XCB connection, only until it has read that slot
// (a request with a reply sent right after each piece marks the place), so
// composing the next piece and the server's copying of the last overlap;
// without it, until it has done all it was sent.
//
// Lifetime: `display` and `connection` (borrowed) must outlive this; the
// segment is given back on destruction.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <xcb/xcb.h>

#include <cstddef>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class X11SharedPieces {
 public:
  // `connection` may be null (see above).
  X11SharedPieces(Display* display, xcb_connection_t* connection)
      : display_(display), connection_(connection) {}
  ~X11SharedPieces();
  X11SharedPieces(const X11SharedPieces&) = delete;
  X11SharedPieces& operator=(const X11SharedPieces&) = delete;

  // Puts the top-left area.width x area.height pixels of `piece` (RGBA) at
  // `area` of `drawable` with `gc`, as 32-bit words with red in bits 16 to
  // 23, green 8 to 15, blue 0 to 7 (the caller checks that the visual has
  // them so). False, with nothing sent, where the server offers no shared
  // memory, cannot reach ours (another machine) or reads another byte order.
  bool Show(Drawable drawable, GC gc, const Bitmap& piece, Rect area);

 private:
  bool Attach(size_t slotBytes);
  void Detach();

  // Waits until the server has read `slot`.
  void WaitFor(int slot);

  Display* display_;
  xcb_connection_t* connection_;
  enum class State { Unchecked, Works, Refused } state_ = State::Unchecked;
  XShmSegmentInfo segment_{};
  size_t slotBytes_ = 0;
  int next_ = 0;                  // the slot the next piece goes to
  bool unread_[2] = {false, false};  // the server may not have read the slot yet
  xcb_get_input_focus_cookie_t marks_[2] = {};  // answered once the slot is read
};

}  // namespace moravel
