#pragma once
// Fits a picture into a size x size icon, as the desktop's icons are handed
// out: scaled (Lanczos-3) until its longer side is `size`, keeping its
// aspect, and centred on transparent margins. The scaling works on
// premultiplied colour, so that transparent pixels lend no colour to the
// edges of what they surround.

#include "raster/Bitmap.h"

namespace moravel {

// Straight-alpha RGBA in and out. Empty for an empty picture, a size outside
// the picture limits, or when memory runs out.
Bitmap SquareIcon(Bitmap picture, int size);

}  // namespace moravel
