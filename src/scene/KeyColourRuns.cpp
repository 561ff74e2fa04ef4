#include "scene/KeyColourRuns.h"

namespace moravel {
namespace {

bool IsKey(const uint8_t* p) {
  return p[0] == 0 && p[1] == 0 && p[2] == 255;
}

}  // namespace

std::vector<Rect> KeyColourRuns(const Bitmap& frame, Rect area) {
  const Rect r = Intersect(area, {0, 0, frame.width(), frame.height()});
  std::vector<Rect> done;
  if (r.empty()) return done;
  std::vector<Rect> open, next;  // rectangles that reach the previous row, left to right
  for (int y = r.y; y < r.bottom(); ++y) {
    next.clear();
    const uint8_t* row = frame.row(y);
    size_t o = 0;  // first open rectangle that may still match
    int x = r.x;
    while (x < r.right()) {
      while (x < r.right() && IsKey(row + size_t(x) * 4)) ++x;
      if (x == r.right()) break;
      const int start = x;
      while (x < r.right() && !IsKey(row + size_t(x) * 4)) ++x;
      const int width = x - start;
      while (o < open.size() && open[o].x < start) done.push_back(open[o++]);
      if (o < open.size() && open[o].x == start && open[o].width == width) {
        Rect grown = open[o++];
        ++grown.height;
        next.push_back(grown);
      } else {
        next.push_back({start, y, width, 1});
      }
    }
    while (o < open.size()) done.push_back(open[o++]);
    open.swap(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

}  // namespace moravel
