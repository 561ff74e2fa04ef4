#include "scene/ControlGrid.h"

#include <algorithm>

namespace moravel {

ControlGrid::ControlGrid(int screenWidth, int screenHeight)
    : screenWidth_(std::max(screenWidth, 0)),
      screenHeight_(std::max(screenHeight, 0)),
      columns_((screenWidth_ + kCellSize - 1) / kCellSize),
      rows_((screenHeight_ + kCellSize - 1) / kCellSize),
      cells_(size_t(columns_) * size_t(rows_)) {}

ControlGrid::CellRange ControlGrid::Cells(Rect area) const {
  const Rect r = Intersect(area, {0, 0, screenWidth_, screenHeight_});
  if (r.empty()) return {};
  return {r.x / kCellSize, r.y / kCellSize, (r.right() - 1) / kCellSize,
          (r.bottom() - 1) / kCellSize};
}

void ControlGrid::Insert(ImageControl* control, Rect area) {
  const CellRange c = Cells(area);
  for (int y = c.y0; y <= c.y1; ++y) {
    for (int x = c.x0; x <= c.x1; ++x) cells_[size_t(y) * columns_ + x].push_back(control);
  }
}

void ControlGrid::Erase(ImageControl* control, Rect area) {
  const CellRange c = Cells(area);
  for (int y = c.y0; y <= c.y1; ++y) {
    for (int x = c.x0; x <= c.x1; ++x) {
      std::vector<ImageControl*>& cell = cells_[size_t(y) * columns_ + x];
      auto it = std::find(cell.begin(), cell.end(), control);
      if (it != cell.end()) {
        *it = cell.back();
        cell.pop_back();
      }
    }
  }
}

void ControlGrid::Candidates(Rect area, std::vector<ImageControl*>& out) const {
  const CellRange c = Cells(area);
  for (int y = c.y0; y <= c.y1; ++y) {
    for (int x = c.x0; x <= c.x1; ++x) {
      const std::vector<ImageControl*>& cell = cells_[size_t(y) * columns_ + x];
      out.insert(out.end(), cell.begin(), cell.end());
    }
  }
}

const std::vector<ImageControl*>* ControlGrid::CellAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= screenWidth_ || y >= screenHeight_) return nullptr;
  return &cells_[size_t(y / kCellSize) * columns_ + x / kCellSize];
}

void ControlGrid::Clear() {
  for (std::vector<ImageControl*>& cell : cells_) cell.clear();
}

}  // namespace moravel
