#pragma once
// Enlarging a picture by a whole number of pixels: each source pixel becomes
// a factor x factor block of itself (nearest neighbour), so pixel art and
// hard edges stay sharp on a high-density screen. Alpha is copied as is.

#include <optional>

#include "raster/Bitmap.h"

namespace moravel {

// The highest scale the program draws at (300 %).
constexpr int kMaxScale = 3;

// The whole-number scale for a desktop's scale factor `ratio` (device pixels
// per logical pixel, 1.5 for 144 dpi): rounded to the nearest, halves up,
// held within 1..kMaxScale; 1 for a ratio that is not a number.
int WholeScaleFor(double ratio);

// `source` factor times as wide and high. A factor of 1 or less gives a copy;
// nothing when the enlarged size overflows or memory runs out.
std::optional<Bitmap> EnlargeByWholePixels(const Bitmap& source, int factor);

}  // namespace moravel
