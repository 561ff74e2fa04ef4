#pragma once
// GIF through giflib: the first frame, its transparent index as alpha 0.

#include <cstdint>
#include <span>

#include "codecs/DecodeResult.h"

namespace moravel {

DecodeResult DecodeGif(std::span<const uint8_t> bytes);

}  // namespace moravel
