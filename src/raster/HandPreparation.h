#pragma once
// Preparing a clock hand picture before it is given to a RotatingLayer.

#include "raster/Bitmap.h"

namespace moravel {

// Colour key: K is the RGB of pixel (0, 0) with alpha 255. Every pixel equal to
// K in all four channels keeps its colour and gets alpha 0; all others are left
// alone, so a top-left pixel that is not fully opaque keys nothing. An empty
// bitmap is left alone.
void ApplyColorKey(Bitmap& bitmap);

// Writes (255, 255, 255, 0) over the one-pixel frame along the four edges (not
// blended), so that a rotated hand fades out at its border.
void ClearEdgeFrame(Bitmap& bitmap);

}  // namespace moravel
