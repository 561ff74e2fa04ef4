#pragma once
// The parts of a composed frame that are shown: everything but the pure blue
// key colour, where the user's own desktop shows through. The window turns
// them into its shape (input and output region).

#include <vector>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

// The pixels of `area` (clipped to `frame`) whose colour is not pure blue
// (0, 0, 255; alpha is not looked at), as rectangles that do not overlap:
// each row's runs of such pixels, with a run merged into the rectangle above
// it when that rectangle ended on the row before with the same columns.
// The order of the rectangles is not promised.
std::vector<Rect> KeyColourRuns(const Bitmap& frame, Rect area);

}  // namespace moravel
