#include "scene/KeyColourMask.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace moravel {
namespace {

// The first three bytes of a pixel read as one word, and pure blue (0, 0,
// 255) in them, in this machine's byte order.
constexpr uint32_t Word(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return std::endian::native == std::endian::little
             ? uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 | uint32_t(b3) << 24
             : uint32_t(b3) | uint32_t(b2) << 8 | uint32_t(b1) << 16 | uint32_t(b0) << 24;
}
constexpr uint32_t kRgbBytes = Word(255, 255, 255, 0);
constexpr uint32_t kKeyRgb = Word(0, 0, 255, 0);

}  // namespace

KeyColourMask::KeyColourMask(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      rowBytes_((size_t(width_) + 7) / 8) {
  bits_.assign(2 * rowBytes_ * size_t(height_), 0);
  plainRows_.assign(size_t(height_), 0);
}

bool KeyColourMask::RowIsPlain(const uint8_t* row) const {
  const int tail = width_ & 7;  // pixels in a last, partly used byte
  for (size_t byte = 0; byte < rowBytes_; ++byte) {
    const uint8_t used = byte + 1 == rowBytes_ && tail ? uint8_t(0xFFu >> (8 - tail)) : 0xFF;
    if (row[2 * byte] != 0 || (row[2 * byte + 1] & used) != used) return false;
  }
  return true;
}

// Whether any of the `count` pixels from `p` is pure blue. Written so that
// the compiler vectorises it (a bool accumulator or a stepped pointer keeps
// it to one pixel at a time): every frame's every row passes through here.
static bool AnyKey(const uint8_t* p, int count) {
  uint32_t hits = 0;
  for (int i = 0; i < count; ++i) {
    uint32_t pixel;
    std::memcpy(&pixel, p + size_t(i) * 4, 4);
    hits |= uint32_t((pixel & kRgbBytes) == kKeyRgb);
  }
  return hits != 0;
}

// The bits of pixels [first, last) of one byte of the mask.
static uint8_t BitsBetween(int first, int last) {
  return uint8_t((0xFFu << first) & (0xFFu >> (8 - last)));
}

// Records the pixels of `mask` in byte `byte` of a row as known, those of
// `bits` as key; true when that changed anything.
static bool RecordByte(uint8_t* row, int byte, uint8_t mask, uint8_t bits) {
  uint8_t& key = row[2 * byte];
  uint8_t& known = row[2 * byte + 1];
  if ((known & mask) == mask && (key & mask) == bits) return false;
  known |= mask;
  key = uint8_t((key & ~mask) | bits);
  return true;
}

// Records pixels [from, to) of a row's bits as shown and not key; true when
// any of them was unknown or key. Whole bytes go as (key, recorded) pairs of
// (0, 0xFF) at once: the first frame records every row this way.
static bool RecordPlain(uint8_t* row, int from, int to) {
  bool changed = false;
  int x = from;
  while (x < to) {
    const int byte = x >> 3;
    const int first = x & 7;
    if (first == 0 && to - x >= 8) {
      const int end = to >> 3;  // one past the last whole byte
      constexpr uint16_t kPlain =
          std::endian::native == std::endian::little ? uint16_t(0xFF00) : uint16_t(0x00FF);
      uint16_t differ = 0;
      for (int b = byte; b < end; ++b) {
        uint16_t pair;
        std::memcpy(&pair, row + 2 * size_t(b), 2);
        differ |= uint16_t(pair ^ kPlain);
        std::memcpy(row + 2 * size_t(b), &kPlain, 2);
      }
      changed = changed || differ != 0;
      x = end * 8;
      continue;
    }
    const int last = std::min(8, first + (to - x));  // one past, in this byte
    changed = RecordByte(row, byte, BitsBetween(first, last), 0) || changed;
    x += last - first;
  }
  return changed;
}

bool KeyColourMask::Update(const Bitmap& piece, Rect area, bool& anyKey) {
  const Rect r = Intersect(area, {0, 0, width_, height_});
  bool changed = false;
  anyKey = false;
  for (int y = r.y; y < r.bottom(); ++y) {
    const uint8_t* p = piece.row(y - area.y) + size_t(r.x - area.x) * 4;
    uint8_t* row = bits_.data() + 2 * size_t(y) * rowBytes_;
    // The usual row holds no key pixel: its bits are all "known, not key".
    const bool plain = !AnyKey(p, r.width);
    anyKey = anyKey || !plain;
    uint8_t& plainRow = plainRows_[size_t(y)];
    if (plain && plainRow) continue;
    if (plain) {
      changed = RecordPlain(row, r.x, r.right()) || changed;
      plainRow = (r.x == 0 && r.right() == width_) || RowIsPlain(row);
      continue;
    }
    int x = r.x;
    while (x < r.right()) {
      const int byte = x >> 3;
      const int first = x & 7;
      const int last = std::min(8, first + (r.right() - x));  // one past, in this byte
      uint8_t bits = 0;
      for (int b = first; b < last; ++b, p += 4) {
        uint32_t pixel;  // R, G, B, A in memory order
        std::memcpy(&pixel, p, 4);
        bits |= uint8_t(((pixel & kRgbBytes) == kKeyRgb) << b);
      }
      changed = RecordByte(row, byte, BitsBetween(first, last), bits) || changed;
      x += last - first;
    }
    plainRow = 0;  // it holds a key pixel
  }
  return changed;
}

}  // namespace moravel
