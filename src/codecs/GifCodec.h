#pragma once
// GIF through giflib: the first frame, its transparent index as alpha 0, placed
// at its offset on a transparent canvas the size of the logical screen (grown
// when the frame reaches past the screen, as some writers leave it 0 x 0).
// A screen, frame or canvas over `limits` refuses the file.

#include <cstdint>
#include <span>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

Result<Bitmap> DecodeGif(std::span<const uint8_t> bytes, const PictureLimits& limits = {});

}  // namespace moravel
