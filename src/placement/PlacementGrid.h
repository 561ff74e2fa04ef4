#pragma once
// The grid the marker steps along: column positions (x) and row positions
// (y) in screen pixels, both ascending.

#include <vector>

namespace moravel {

struct PlacementGrid {
  std::vector<int> columns, rows;
};

// The columns of the raster through x0 with step sx, for a picture pw pixels
// wide on a screen W pixels wide: they start at the leftmost raster position
// x at which the picture still shows a pixel column (x - sx <= -pw), or at x0
// itself when x0 <= -pw already, and go on while below W. Rows likewise with
// y0, sy, ph and H. Either list may be empty; a step of 0 or less, or a
// screen side of 0 or less, gives an empty list for that axis.
//
// Bounded for any input: when x0 lies wholly off the screen's left (x0 <=
// -pw), the raster positions between x0 and the first one that shows a pixel
// are left out, so a list never has more than W + pw + 1 entries (pw is taken
// as 0 .. 16384, the largest picture side the decoders accept). Computed in
// 64 bits.
PlacementGrid BuildPlacementGrid(int x0, int y0, int sx, int sy, int pw, int ph, int W, int H);

// Indices into the grid's lists; all four give 0 for an empty list.
// The largest index whose column is <= x; 0 when every column is right of x.
int ColumnAtOrBefore(const PlacementGrid& grid, int x);
// The smallest index whose column is >= x; the last one when every column is left of x.
int ColumnAtOrAfter(const PlacementGrid& grid, int x);
// The same on the rows.
int RowAtOrBefore(const PlacementGrid& grid, int y);
int RowAtOrAfter(const PlacementGrid& grid, int y);

}  // namespace moravel
