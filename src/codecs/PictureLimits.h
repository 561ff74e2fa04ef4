#pragma once
// Size limits every decoder checks before it allocates pixel memory, so that a
// damaged or hostile file cannot exhaust memory.

#include <cstddef>
#include <cstdint>

namespace moravel {

inline constexpr int64_t kMaxPictureSide = 16384;          // pixels
inline constexpr int64_t kMaxPicturePixels = 100'000'000;  // width * height
// A picture file longer than this is not read at all.
inline constexpr size_t kMaxPictureFileBytes = size_t(256) << 20;

// True when a picture of width x height may be decoded. Non-positive sizes are refused.
inline bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// The bounds one decode call works within, passed down to the decoder. The
// defaults are the limits above (a skin's pictures); a caller that needs a
// smaller picture (an icon) passes tighter ones, and a picture whose header
// states a size over them is refused before its pixels are allocated.
struct PictureLimits {
  int64_t maxSide = kMaxPictureSide;  // pixels a side
  // width * height; for JPEG also 8 bytes each of libjpeg's working memory
  int64_t maxPixels = kMaxPicturePixels;
  // JPEG only: 0 decodes at full size; otherwise libjpeg decodes at 1/2, 1/4
  // or 1/8 of the size, the smallest that keeps both sides at least this many
  // pixels, and the bounds above apply to that reduced size (the full size
  // still within the limits above).
  int jpegMinSide = 0;

  // True when a width x height picture is within these bounds and the limits above.
  bool Allows(int64_t width, int64_t height) const {
    return PictureSizeAllowed(width, height) && width <= maxSide && height <= maxSide &&
           width * height <= maxPixels;
  }
};

}  // namespace moravel
