#pragma once
// The composed picture of the desktop window (screen-sized, RGBA) and the
// rectangles that changed since the window last took them. Pure blue
// (0, 0, 255) pixels are where the user's own desktop shows through.

#include <vector>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class DesktopFrame {
 public:
  virtual ~DesktopFrame() = default;
  virtual const Bitmap& picture() const = 0;
  // The changed rectangles since the last call (possibly overlapping), cleared.
  virtual std::vector<Rect> TakeDirty() = 0;
};

}  // namespace moravel
