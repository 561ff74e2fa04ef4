#pragma once
// JPEG through libjpeg (baseline, progressive, greyscale, CMYK) to opaque RGBA.

#include <cstdint>
#include <span>

#include "codecs/DecodeResult.h"

namespace moravel {

DecodeResult DecodeJpeg(std::span<const uint8_t> bytes);

}  // namespace moravel
