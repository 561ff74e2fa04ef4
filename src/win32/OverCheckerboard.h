#pragma once
// A picture with transparent parts shown the way picture editors show them:
// over white and light grey checks.

#include "raster/Bitmap.h"

namespace moravel {

// `picture` blended over checks of `square` pixels a side, white at the
// top-left corner and (204, 204, 204) beside it: an opaque picture of the
// same size.
Bitmap OverCheckerboard(const Bitmap& picture, int square);

}  // namespace moravel
