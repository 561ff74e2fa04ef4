#pragma once
// A loaded picture shared between the scene's tables and the controls that
// show it. Null and 0 x 0 both mean "no picture".

#include <memory>

#include "raster/Bitmap.h"

namespace moravel {

using Picture = std::shared_ptr<const Bitmap>;

inline bool HasPixels(const Picture& picture) {
  return picture && !picture->empty();
}

}  // namespace moravel
