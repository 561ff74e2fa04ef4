#pragma once
// The picture of a Windows icon (HICON) as RGBA with straight alpha, at the
// icon's own size.
//
// An icon whose colour bitmap has 32 bits with any alpha other than 0 gives
// its pixels as they are. Any other icon takes its alpha from the mask: a
// black (0) mask pixel is opaque with the colour's pixel, a white (1) one is
// transparent, {0, 0, 0, 0} (also where the icon would invert the screen).
// A monochrome icon (no colour bitmap) is black or white where its mask lets
// it show.

#include <windows.h>

#include "raster/Bitmap.h"

namespace moravel {

// Empty for a null or damaged icon, or one over the picture limits. The icon
// stays the caller's.
Bitmap BitmapOfIcon(HICON icon);

}  // namespace moravel
