#pragma once
// The coloured shadow of a picture that shows where a button will go: the
// picture's shape in one colour at half its opacity.

#include <filesystem>

#include "raster/Bitmap.h"

namespace moravel {

// A picture of the same size as the one in `picture`, every pixel of
// `colour` (its alpha is not used) with the picture's alpha halved, rounded
// down (255 -> 127, 1 -> 0). A picture without alpha counts as opaque (the
// decoders give it alpha 255). A file that cannot be loaded gives an empty
// Bitmap. The picture is loaded for `scale` (LoadPictureAtScale).
Bitmap MakeSilhouette(const std::filesystem::path& picture, Rgba colour, int scale = 1);

}  // namespace moravel
