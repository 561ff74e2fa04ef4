#pragma once
// JPEG through libjpeg (baseline, progressive, greyscale, CMYK) to opaque RGBA,
// at full size or reduced as `limits` asks (PictureLimits::jpegMinSide).

#include <cstdint>
#include <span>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

Result<Bitmap> DecodeJpeg(std::span<const uint8_t> bytes, const PictureLimits& limits = {});

}  // namespace moravel
