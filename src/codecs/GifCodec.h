#pragma once
// GIF through giflib: the first frame, its transparent index as alpha 0, placed
// at its offset on a transparent canvas the size of the logical screen (grown
// when the frame reaches past the screen, as some writers leave it 0 x 0).

#include <cstdint>
#include <span>

#include "codecs/DecodeResult.h"

namespace moravel {

DecodeResult DecodeGif(std::span<const uint8_t> bytes);

}  // namespace moravel
