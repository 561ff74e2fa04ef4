#pragma once
// Clipping of a rectangle copy between two pictures, and the per-pixel
// formulas shared by every drawing routine of this folder.

#include <algorithm>
#include <cstdint>

#include "raster/Rect.h"

namespace moravel {

// A copy of `width` x `height` pixels from (srcX, srcY) of the source to
// (dstX, dstY) of the destination, already inside both pictures.
struct Blit {
  int srcX = 0, srcY = 0, dstX = 0, dstY = 0, width = 0, height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

// Clips the copy of `from` (a rectangle of a srcW x srcH source) to
// (dstX, dstY) of a dstW x dstH destination at every edge of both pictures.
// Negative or huge offsets are fine: the arithmetic is 64-bit.
inline Blit ClipBlit(int srcW, int srcH, Rect from, int dstW, int dstH, int dstX, int dstY) {
  long long sx = from.x, sy = from.y, w = from.width, h = from.height;
  long long dx = dstX, dy = dstY;
  auto clipStart = [](long long& s, long long& d, long long& len, long long limitS,
                      long long limitD) {
    long long cut = std::max({0LL, -s, -d});
    s += cut, d += cut, len -= cut;
    len = std::min({len, limitS - s, limitD - d});
  };
  clipStart(sx, dx, w, srcW, dstW);
  clipStart(sy, dy, h, srcH, dstH);
  if (w <= 0 || h <= 0) return {};
  return {int(sx), int(sy), int(dx), int(dy), int(w), int(h)};
}

// One colour channel of source S with alpha a over old value P:
// (S * a + (255 - a) * P + 255) div 256. a = 0 keeps P, a = 255 gives S.
inline uint8_t BlendChannel(unsigned s, unsigned a, unsigned p) {
  return uint8_t((s * a + (255 - a) * p + 255) >> 8);
}

// The union of two coverages, a + A - A * a / 255 rounded to the nearest
// integer (A * a / 255 is never exactly half-way, so +127 rounds it).
inline uint8_t UnionAlpha(unsigned a, unsigned oldA) {
  return uint8_t(a + oldA - (a * oldA + 127) / 255);
}

}  // namespace moravel
