#pragma once
// Windows BMP, our own reader: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8,
// top-down rows, bit fields, V4 and V5 headers with alpha.

#include <cstdint>
#include <span>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

// A whole .bmp file (with its BITMAPFILEHEADER); a size over `limits` fails.
Result<Bitmap> DecodeBmp(std::span<const uint8_t> bytes, const PictureLimits& limits = {});

}  // namespace moravel
