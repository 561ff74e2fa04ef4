#pragma once
// A spatial index of the controls on the screen: the screen is cut into square
// cells and each cell lists the controls whose rectangle meets it, so that a
// hit test or a redraw of a small rectangle looks at a few controls only,
// however many the scene holds.

#include <vector>

#include "raster/Rect.h"

namespace moravel {

class ImageControl;

class ControlGrid {
 public:
  static constexpr int kCellSize = 64;  // pixels

  ControlGrid(int screenWidth, int screenHeight);

  // `area` is the control's drawn rectangle; the part off the screen is ignored.
  void Insert(ImageControl* control, Rect area);
  void Erase(ImageControl* control, Rect area);

  // The controls listed in the cells that `area` meets, each at most once per
  // cell but possibly from several cells, in no particular order.
  void Candidates(Rect area, std::vector<ImageControl*>& out) const;
  // The controls listed in the cell that holds the pixel (x, y) (none off the screen).
  const std::vector<ImageControl*>* CellAt(int x, int y) const;

  void Clear();

 private:
  struct CellRange {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive
  };
  CellRange Cells(Rect area) const;

  int screenWidth_, screenHeight_;
  int columns_, rows_;
  std::vector<std::vector<ImageControl*>> cells_;
};

}  // namespace moravel
