#include "desktop/KeyColourMask.h"

#include <algorithm>

namespace moravel {

KeyColourMask::KeyColourMask(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      rowBytes_((size_t(width_) + 7) / 8) {
  key_.assign(rowBytes_ * size_t(height_), 0);
  known_.assign(key_.size(), 0);
}

bool KeyColourMask::Update(const Bitmap& piece, Rect area) {
  const Rect r = Intersect(area, {0, 0, width_, height_});
  bool changed = false;
  for (int y = r.y; y < r.bottom(); ++y) {
    const uint8_t* p = piece.row(y - area.y) + size_t(r.x - area.x) * 4;
    uint8_t* keyRow = key_.data() + size_t(y) * rowBytes_;
    uint8_t* knownRow = known_.data() + size_t(y) * rowBytes_;
    for (int x = r.x; x < r.right(); ++x, p += 4) {
      const uint8_t bit = uint8_t(1u << (x & 7));
      const bool key = p[0] == 0 && p[1] == 0 && p[2] == 255;
      const bool was = keyRow[x >> 3] & bit;
      if (!(knownRow[x >> 3] & bit) || key != was) {
        changed = true;
        knownRow[x >> 3] |= bit;
        keyRow[x >> 3] = key ? (keyRow[x >> 3] | bit) : (keyRow[x >> 3] & ~bit);
      }
    }
  }
  return changed;
}

}  // namespace moravel
