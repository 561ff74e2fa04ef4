#pragma once
// Size limits every decoder checks before it allocates pixel memory, so that a
// damaged or hostile file cannot exhaust memory.

#include <cstdint>

namespace moravel {

inline constexpr int64_t kMaxPictureSide = 16384;         // pixels
inline constexpr int64_t kMaxPicturePixels = 100'000'000;  // width * height

// True when a picture of width x height may be decoded. Non-positive sizes are refused.
inline bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace moravel
