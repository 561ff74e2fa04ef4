#pragma once
// The frame's pixels as a wl_shm buffer holds them: WL_SHM_FORMAT_ARGB8888,
// one 32-bit word a pixel in this machine's byte order, alpha premultiplied.
// The pure blue key colour becomes fully transparent (all zero), so the
// user's own desktop shows through there.

#include <cstdint>

namespace moravel {

// Turns `count` RGBA pixels (straight alpha, 4 bytes each) into `count`
// ARGB8888 words at `out`. `out` may be `rgba` itself (converted in place).
void ToShmArgb(const uint8_t* rgba, uint8_t* out, int count);

// The ARGB8888 word of one pixel (what ToShmArgb writes).
uint32_t ShmArgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a);

}  // namespace moravel
