#include "platform_wayland/InputShape.h"

#include <algorithm>

#include "scene/FrameComposer.h"
#include "scene/KeyColourRuns.h"

namespace moravel {
namespace {

bool IsKey(const uint8_t* p) {
  return p[0] == 0 && p[1] == 0 && p[2] == 255;
}

constexpr Rgba kShownMark{255, 255, 255, 255};

}  // namespace

InputShape::InputShape(int width, int height, int scale)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), scale_(std::max(scale, 1)) {
  if (scale_ > 1) bits_.assign((size_t(width_) * size_t(height_) + 7) / 8, 0);
}

InputShape::Change InputShape::Update(const Bitmap& piece, Rect area, bool anyKey) {
  Change change;
  const Rect r = Intersect(area, {0, 0, width_, height_});
  if (r.empty()) return change;
  if (scale_ == 1) {
    change.area = r;
    if (!anyKey) {
      change.shown.push_back(r);
      return change;
    }
    for (Rect run : KeyColourRuns(piece, {r.x - area.x, r.y - area.y, r.width, r.height})) {
      run.x += area.x;
      run.y += area.y;
      change.shown.push_back(run);
    }
    return change;
  }
  for (int y = r.y; y < r.bottom(); ++y) {
    const uint8_t* p = piece.row(y - area.y) + size_t(r.x - area.x) * 4;
    for (int x = r.x; x < r.right(); ++x, p += 4) {
      const size_t i = Index(x, y);
      const uint8_t bit = uint8_t(1u << (i & 7));
      if (!anyKey || !IsKey(p)) {
        bits_[i >> 3] |= bit;
      } else {
        bits_[i >> 3] &= uint8_t(~bit);
      }
    }
  }
  // The logical pixels `r` touches, each shown when any of its device pixels is.
  const int s = scale_;
  const int left = r.x / s, top = r.y / s;
  const Rect logical{left, top, (r.right() + s - 1) / s - left, (r.bottom() + s - 1) / s - top};
  Bitmap marks =
      Bitmap::Create(logical.width, logical.height, kDesktopKeyColour).value_or(Bitmap());
  if (marks.empty()) return change;
  for (int ly = 0; ly < logical.height; ++ly) {
    for (int lx = 0; lx < logical.width; ++lx) {
      const int x0 = (logical.x + lx) * s, y0 = (logical.y + ly) * s;
      bool shown = false;
      for (int y = y0; y < std::min(y0 + s, height_) && !shown; ++y)
        for (int x = x0; x < std::min(x0 + s, width_) && !shown; ++x) shown = Shown(x, y);
      if (shown) marks.set(lx, ly, kShownMark);
    }
  }
  change.area = logical;
  for (Rect run : KeyColourRuns(marks, {0, 0, logical.width, logical.height})) {
    run.x += logical.x;
    run.y += logical.y;
    change.shown.push_back(run);
  }
  return change;
}

}  // namespace moravel
