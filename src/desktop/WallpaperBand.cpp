#include "desktop/WallpaperBand.h"

#include <algorithm>

namespace moravel {

AspectBand AspectBandFor(int width, int height) {
  const double ratio = double(width) / double(std::max(height, 1));
  if (ratio <= 1.29) return AspectBand::R5x4;
  if (ratio <= 1.465) return AspectBand::R4x3;
  if (ratio <= 1.68) return AspectBand::R16x10;
  return AspectBand::R16x9;
}

std::array<std::string_view, 4> WallpaperKeys(AspectBand band) {
  switch (band) {
    case AspectBand::R5x4:
      return {"image5x4", "image16x9", "image16x10", "image4x3"};
    case AspectBand::R4x3:
      return {"image4x3", "image16x9", "image16x10", "image5x4"};
    case AspectBand::R16x10:
      return {"image16x10", "image16x9", "image4x3", "image5x4"};
    case AspectBand::R16x9:
      break;
  }
  return {"image16x9", "image16x10", "image4x3", "image5x4"};
}

std::string_view WallpaperKeyFor(AspectBand band) {
  return WallpaperKeys(band)[0];
}

std::string_view SkinSwitchWallpaperDefault(AspectBand band) {
  switch (band) {
    case AspectBand::R5x4:
      return "f";
    case AspectBand::R4x3:
      return "d";
    case AspectBand::R16x10:
      return "s";
    case AspectBand::R16x9:
      break;
  }
  return "a";
}

}  // namespace moravel
