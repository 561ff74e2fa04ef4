#pragma once
// Pieces of the desktop frame sent through memory shared with the X server
// (MIT-SHM): the server reads the pixels where they are, so they do not pass
// through the socket (a frame's megabytes, a clock tick's kilobytes).
//
// One segment, made for the first large piece (a whole frame goes in large
// stripes) and kept, holds two slots the size of the largest piece so far.
// The server reads a piece only when it gets to the request, so memory is
// written again only once the server is known to have read it:
// - Large pieces take the two slots in turn. Before a slot is written again
//   the server is waited for: with the XCB connection, only until it has
//   read that slot (a request with a reply sent right after each large piece
//   marks the place), so composing the next piece and the server's copying
//   of the last overlap; without it, until it has done all it was sent.
// - Small pieces go one after another round the whole segment, with one
//   wait for the server each time round (about every half minute of clock
//   ticks), and one when going from large pieces to small or back.
//
// Lifetime: `display` and `connection` (borrowed) must outlive this; the
// segment is given back on destruction.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "raster/ServerWords.h"

namespace moravel {

class X11SharedPieces {
 public:
  // `connection` may be null (see above).
  X11SharedPieces(Display* display, xcb_connection_t* connection)
      : display_(display), connection_(connection) {}
  ~X11SharedPieces();
  X11SharedPieces(const X11SharedPieces&) = delete;
  X11SharedPieces& operator=(const X11SharedPieces&) = delete;

  // Pieces of at least this many bytes count as large.
  static constexpr size_t kLargePieceBytes = 256 * 1024;

  // Puts the top-left area.width x area.height pixels of `piece` (RGBA) at
  // `area` of `drawable` with `gc`, as 32-bit words with red in bits 16 to
  // 23, green 8 to 15, blue 0 to 7 (the caller checks that the visual has
  // them so). False, with nothing sent, where the server offers no shared
  // memory, cannot reach ours (another machine) or reads another byte order,
  // and for a small piece before the first large one.
  bool Show(Drawable drawable, GC gc, const Bitmap& piece, Rect area);

 private:
  bool Attach(size_t slotBytes);
  void Detach();

  // Waits until the server has read `slot`.
  void WaitFor(int slot);
  // Waits until the server has read everything put.
  void WaitForAll();
  // Where the next piece of `bytes` goes; null when shared memory is not used.
  uint8_t* Place(size_t bytes);

  Display* display_;
  xcb_connection_t* connection_;
  enum class State { Unchecked, Works, Refused } state_ = State::Unchecked;
  XShmSegmentInfo segment_{};
  size_t slotBytes_ = 0;
  int next_ = 0;                                // the slot the next piece goes to
  bool unread_[2] = {false, false};             // the server may not have read the slot yet
  bool small_ = false;                          // small pieces were put since the last wait for all
  size_t head_ = 0;                             // where the next small piece goes
  xcb_get_input_focus_cookie_t marks_[2] = {};  // answered once the slot is read
};

}  // namespace moravel
