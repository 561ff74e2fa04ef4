#pragma once
// An axis-aligned rectangle in pixels: columns x .. x + width - 1, rows
// y .. y + height - 1. A rectangle with width or height below 1 is empty.

#include <algorithm>

namespace moravel {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  int right() const { return x + width; }    // one past the last column
  int bottom() const { return y + height; }  // one past the last row
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The common part of a and b; an empty result has width and height 0.
inline Rect Intersect(const Rect& a, const Rect& b) {
  const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

}  // namespace moravel
