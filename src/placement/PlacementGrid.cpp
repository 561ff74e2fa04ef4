#include "placement/PlacementGrid.h"

#include <algorithm>
#include <cstdint>

#include "codecs/PictureLimits.h"

namespace moravel {
namespace {

std::vector<int> RasterAxis(int start, int step, int pictureSize, int extent) {
  std::vector<int> out;
  if (step <= 0 || extent <= 0) return out;
  const int64_t s = step, e = extent;
  const int64_t size = std::clamp<int64_t>(pictureSize, 0, kMaxPictureSide);
  int64_t x = start;
  // Step left while the picture one step further left still shows a column:
  // x - k * s > -size for k = 1 .. (x + size - 1) / s.
  if (x + size > 0) x -= (x + size - 1) / s * s;
  if (x >= e) return out;
  if (x <= -size) {
    // The start shows nothing: keep it, then go on from the first raster
    // position that shows a column.
    out.push_back(int(x));
    x += ((-size - x) / s + 1) * s;
    if (x >= e) return out;
  }
  const int64_t count = (e - x + s - 1) / s;
  out.reserve(out.size() + size_t(count));
  for (int64_t i = 0; i < count; ++i) out.push_back(int(x + i * s));
  return out;
}

int AtOrBefore(const std::vector<int>& list, int v) {
  const auto it = std::upper_bound(list.begin(), list.end(), v);
  return it == list.begin() ? 0 : int(it - list.begin()) - 1;
}

int AtOrAfter(const std::vector<int>& list, int v) {
  if (list.empty()) return 0;
  const auto it = std::lower_bound(list.begin(), list.end(), v);
  return it == list.end() ? int(list.size()) - 1 : int(it - list.begin());
}

}  // namespace

PlacementGrid BuildPlacementGrid(int x0, int y0, int sx, int sy, int pw, int ph, int W, int H) {
  return {RasterAxis(x0, sx, pw, W), RasterAxis(y0, sy, ph, H)};
}

int ColumnAtOrBefore(const PlacementGrid& grid, int x) {
  return AtOrBefore(grid.columns, x);
}
int ColumnAtOrAfter(const PlacementGrid& grid, int x) {
  return AtOrAfter(grid.columns, x);
}
int RowAtOrBefore(const PlacementGrid& grid, int y) {
  return AtOrBefore(grid.rows, y);
}
int RowAtOrAfter(const PlacementGrid& grid, int y) {
  return AtOrAfter(grid.rows, y);
}

}  // namespace moravel
