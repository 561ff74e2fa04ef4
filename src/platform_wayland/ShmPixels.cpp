#include "platform_wayland/ShmPixels.h"

#include <cstring>

namespace moravel {
namespace {

// c * a / 255, rounded to nearest.
uint32_t Premultiply(uint32_t c, uint32_t a) {
  const uint32_t t = c * a + 128;
  return (t + (t >> 8)) >> 8;
}

}  // namespace

uint32_t ShmArgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (r == 0 && g == 0 && b == 255) return 0;  // the key colour, whatever its alpha
  if (a == 255) return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
  return uint32_t(a) << 24 | Premultiply(r, a) << 16 | Premultiply(g, a) << 8 | Premultiply(b, a);
}

void ToShmArgb(const uint8_t* rgba, uint8_t* out, int count) {
  for (int i = 0; i < count; ++i, rgba += 4, out += 4) {
    const uint32_t word = ShmArgb(rgba[0], rgba[1], rgba[2], rgba[3]);
    std::memcpy(out, &word, 4);
  }
}

}  // namespace moravel
