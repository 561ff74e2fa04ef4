#pragma once
// Receives the screen rectangles whose look changed (the frame recomposes them).

#include "raster/Rect.h"

namespace moravel {

class DirtySink {
 public:
  virtual ~DirtySink() = default;
  // `area` is in screen pixels; it may be empty or reach past the screen.
  virtual void Invalidate(Rect area) = 0;
};

}  // namespace moravel
