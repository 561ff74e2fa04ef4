#pragma once
// JPEG through libjpeg (baseline, progressive, greyscale, CMYK) to opaque RGBA,
// at full size or reduced as `limits` asks (PictureLimits::jpegMinSide).

#include <cstdint>
#include <span>

#include "codecs/DecodeResult.h"
#include "codecs/PictureLimits.h"

namespace moravel {

DecodeResult DecodeJpeg(std::span<const uint8_t> bytes, const PictureLimits& limits = {});

}  // namespace moravel
