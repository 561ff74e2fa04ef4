#include "raster/Bitmap.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace moravel {

std::optional<Bitmap> Bitmap::CreateForOverwrite(int width, int height) {
  Bitmap b;
  if (!b.ReshapeForOverwrite(width, height)) return std::nullopt;
  return b;
}

bool Bitmap::ReshapeForOverwrite(int width, int height) {
  if (width < 0 || height < 0) return false;
  const size_t w = size_t(width), h = size_t(height);
  if (w != 0 && h > std::numeric_limits<size_t>::max() / 4 / w) return false;
  pixels_.resize(w * h * 4);  // within the capacity: no new memory, bytes kept
  width_ = width;
  height_ = height;
  return true;
}

std::optional<Bitmap> Bitmap::Create(int width, int height, Rgba fill) {
  std::optional<Bitmap> created = CreateForOverwrite(width, height);
  if (!created) return std::nullopt;
  Bitmap& b = *created;
  const size_t w = size_t(width), h = size_t(height);
  if (b.pixels_.empty()) return created;  // no bytes to write (and no pointer to write to)
  if (fill == Rgba{}) {
    std::memset(b.pixels_.data(), 0, b.pixels_.size());
  } else {
    // One pass of whole pixels, which the compiler vectorises.
    uint32_t word;
    const uint8_t bytes[4] = {fill.r, fill.g, fill.b, fill.a};
    std::memcpy(&word, bytes, 4);
    uint8_t* p = b.pixels_.data();
    for (size_t i = 0; i < w * h; ++i) std::memcpy(p + i * 4, &word, 4);
  }
  return created;
}

bool Bitmap::opaque() const {
  // No early exit: the whole-buffer AND vectorises.
  const uint8_t* p = pixels_.data();
  uint8_t all = 255;
  for (size_t i = 3; i < pixels_.size(); i += 4) all &= p[i];
  return all == 255;
}

Rgba Bitmap::at(int x, int y) const {
  assert(contains(x, y));
  const uint8_t* p = row(y) + size_t(x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

void Bitmap::set(int x, int y, Rgba c) {
  assert(contains(x, y));
  uint8_t* p = row(y) + size_t(x) * 4;
  p[0] = c.r;
  p[1] = c.g;
  p[2] = c.b;
  p[3] = c.a;
}

}  // namespace moravel
