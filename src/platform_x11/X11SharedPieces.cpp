#include "platform_x11/X11SharedPieces.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdint>
#include <cstdlib>

namespace moravel {
namespace {

bool g_attachRefused = false;  // set by OnAttachError while the attach is checked

int OnAttachError(Display*, XErrorEvent*) {
  g_attachRefused = true;
  return 0;
}

}  // namespace

X11SharedPieces::~X11SharedPieces() {
  Detach();
}

bool X11SharedPieces::Attach(size_t slotBytes) {
  if (state_ == State::Refused) return false;
  if (state_ == State::Unchecked) {
    // The server takes the words as they lie in memory: its order must be ours.
    const bool sameOrder = ImageByteOrder(display_) ==
                           (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    if (!sameOrder || !XShmQueryExtension(display_)) {
      state_ = State::Refused;
      return false;
    }
  }
  const int id = shmget(IPC_PRIVATE, 2 * slotBytes, IPC_CREAT | 0600);
  if (id < 0) return false;
  void* address = shmat(id, nullptr, 0);
  // Removed at once: gone when both sides have let go (Linux lets the server
  // attach a removed segment).
  shmctl(id, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) return false;
  segment_.shmid = id;
  segment_.shmaddr = static_cast<char*>(address);
  segment_.readOnly = True;
  if (state_ == State::Works) {
    XShmAttach(display_, &segment_);
  } else {
    // A server on another machine cannot attach: asked once, its answer awaited.
    g_attachRefused = false;
    XErrorHandler previous = XSetErrorHandler(OnAttachError);
    const Bool sent = XShmAttach(display_, &segment_);
    XSync(display_, False);
    XSetErrorHandler(previous);
    state_ = sent && !g_attachRefused ? State::Works : State::Refused;
    if (state_ == State::Refused) {
      shmdt(address);
      segment_ = {};
      return false;
    }
  }
  slotBytes_ = slotBytes;
  next_ = 0;
  unread_[0] = unread_[1] = false;
  small_ = false;
  head_ = 0;
  return true;
}

void X11SharedPieces::Detach() {
  if (!segment_.shmaddr) return;
  small_ = true;  // read or not, everything is waited for
  WaitForAll();
  XShmDetach(display_, &segment_);
  XFlush(display_);
  shmdt(segment_.shmaddr);
  segment_ = {};
  slotBytes_ = 0;
}

void X11SharedPieces::WaitFor(int slot) {
  if (connection_) {
    std::free(xcb_get_input_focus_reply(connection_, marks_[slot], nullptr));
    unread_[slot] = false;
  } else {
    XSync(display_, False);  // the server has read both slots
    unread_[0] = unread_[1] = false;
  }
}

void X11SharedPieces::WaitForAll() {
  if (small_ || !connection_) {
    XSync(display_, False);
    for (int slot = 0; slot < 2; ++slot) {
      if (connection_ && unread_[slot]) xcb_discard_reply(connection_, marks_[slot].sequence);
      unread_[slot] = false;
    }
  } else {
    // The server reads in order: the newer mark answers for both.
    const int newer = next_ ^ 1;
    if (unread_[next_]) xcb_discard_reply(connection_, marks_[next_].sequence);
    unread_[next_] = false;
    if (unread_[newer]) WaitFor(newer);
  }
  small_ = false;
}

uint8_t* X11SharedPieces::Place(size_t bytes) {
  uint8_t* base = reinterpret_cast<uint8_t*>(segment_.shmaddr);
  if (bytes >= kLargePieceBytes) {
    if (bytes > slotBytes_) {
      Detach();
      if (!Attach(bytes)) return nullptr;
      base = reinterpret_cast<uint8_t*>(segment_.shmaddr);
    }
    if (small_) WaitForAll();
    if (unread_[next_]) WaitFor(next_);
    uint8_t* slot = base + size_t(next_) * slotBytes_;
    return slot;
  }
  if (!base) return nullptr;  // made for the first large piece
  const size_t room = 2 * slotBytes_;
  const size_t need = (bytes + 63) & ~size_t(63);
  if (need > room) return nullptr;
  if (!small_) {
    WaitForAll();  // the slots may hold large pieces not read yet
    head_ = 0;
  } else if (head_ + need > room) {
    WaitForAll();  // once round the segment
    head_ = 0;
  }
  small_ = true;
  uint8_t* at = base + head_;
  head_ += need;
  return at;
}

bool X11SharedPieces::Show(Drawable drawable, GC gc, const Bitmap& piece, Rect area) {
  if (area.empty()) return true;
  const size_t bytes = size_t(area.width) * size_t(area.height) * 4;
  uint8_t* slot = Place(bytes);
  if (!slot) return false;
  const bool large = bytes >= kLargePieceBytes;
  for (int y = 0; y < area.height; ++y)
    ToCommonServerWords(piece.row(y), slot + size_t(y) * size_t(area.width) * 4, area.width);
  XImage image{};
  image.width = area.width;
  image.height = area.height;
  image.format = ZPixmap;
  image.data = reinterpret_cast<char*>(slot);
  image.obdata = reinterpret_cast<char*>(&segment_);
  image.byte_order = ImageByteOrder(display_);
  image.bitmap_unit = 32;
  image.bitmap_bit_order = LSBFirst;
  image.bitmap_pad = 32;
  image.depth = DefaultDepth(display_, DefaultScreen(display_));
  image.bytes_per_line = area.width * 4;
  image.bits_per_pixel = 32;
  if (!XInitImage(&image)) return false;
  XShmPutImage(display_, drawable, gc, &image, 0, 0, area.x, area.y, unsigned(area.width),
               unsigned(area.height), False);
  if (!large) return true;
  unread_[next_] = true;
  if (connection_) {
    // Any request with a reply will do; XCB orders it after Xlib's put.
    marks_[next_] = xcb_get_input_focus(connection_);
    xcb_flush(connection_);
  }
  next_ ^= 1;
  return true;
}

}  // namespace moravel
