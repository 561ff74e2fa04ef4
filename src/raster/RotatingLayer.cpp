#include "raster/RotatingLayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moravel {

namespace {

constexpr int kFixBits = kRotateFixBits;

long long FloorDiv(long long a, long long b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Narrows [lo, hi] to the x where start + (x - x0) * step lies in [min, end).
void ClipSpan(long long start, long long step, long long min, long long end, int x0, int& lo,
              int& hi) {
  if (step == 0) {
    if (start < min || start >= end) hi = lo - 1;
    return;
  }
  // start + t * step >= min  and  start + t * step <= end - 1
  long long tMin, tMax;
  if (step > 0) {
    tMin = -FloorDiv(start - min, step);  // ceil((min - start) / step)
    tMax = FloorDiv(end - 1 - start, step);
  } else {
    tMin = -FloorDiv(end - 1 - start, -step);  // ceil((start - (end - 1)) / -step)
    tMax = FloorDiv(start - min, -step);
  }
  lo = int(std::max<long long>(lo, x0 + tMin));
  hi = int(std::min<long long>(hi, x0 + tMax));
}

}  // namespace

RotatingLayer::RotatingLayer(const Bitmap& hand) : width_(hand.width()), height_(hand.height()) {
  if (hand.empty()) {
    width_ = height_ = 0;
    return;
  }
  for (int y = 0; y < height_; ++y) {
    const uint8_t* s = hand.row(y);
    for (int x = 0; x < width_; ++x) {
      if (s[size_t(x) * 4 + 3] == 0) continue;
      content_.lo = std::min(content_.lo, x), content_.hi = std::max(content_.hi, x);
      content_.top = std::min(content_.top, y), content_.bottom = std::max(content_.bottom, y);
    }
  }
  if (content_.lo > content_.hi) return;  // nothing to draw
  // Only the visible pixels are kept, in a transparent frame of one pixel.
  const size_t stride = size_t(content_.hi - content_.lo) + 3;
  premul_.assign(stride * (size_t(content_.bottom - content_.top) + 3) * 4, 0);
  for (int y = content_.top; y <= content_.bottom; ++y) {
    const uint8_t* s = hand.row(y) + size_t(content_.lo) * 4;
    uint8_t* d = premul_.data() + ((size_t(y - content_.top) + 1) * stride + 1) * 4;
    for (int x = content_.lo; x <= content_.hi; ++x, s += 4, d += 4) {
      const unsigned a = s[3];
      d[0] = uint8_t(RoundDiv255(s[0] * a));
      d[1] = uint8_t(RoundDiv255(s[1] * a));
      d[2] = uint8_t(RoundDiv255(s[2] * a));
      d[3] = uint8_t(a);
    }
  }
}

Rect RotatingLayer::Bounds() const {
  const double a = double(angle_) * std::numbers::pi / 180.0;
  return BoundsFor(std::cos(a), std::sin(a));
}

Rect RotatingLayer::BoundsFor(double c, double s) const {
  // Samples are non-zero for hand coordinates in (-1, width) x (-1, height).
  return BoundsFor(c, s, -1.0, double(width_), -1.0, double(height_));
}

Rect RotatingLayer::BoundsFor(double c, double s, double u0, double u1, double v0,
                              double v1) const {
  if (width_ == 0 || !std::isfinite(c) || !std::isfinite(s) || !std::isfinite(pivotX_) ||
      !std::isfinite(pivotY_) || !std::isfinite(posX_) || !std::isfinite(posY_)) {
    return {};
  }
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  for (double u : {u0, u1}) {
    for (double v : {v0, v1}) {
      const double dx = u - pivotX_, dy = v - pivotY_;
      const double x = posX_ + dx * c + dy * s, y = posY_ - dx * s + dy * c;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  // One pixel of margin on each side covers rounding.
  const double limit = 1 << 30;
  auto clampInt = [&](double v) { return int(std::clamp(v, -limit, limit)); };
  const int left = clampInt(std::floor(minX)) - 1, top = clampInt(std::floor(minY)) - 1;
  const int right = clampInt(std::floor(maxX)) + 2, bottom = clampInt(std::floor(maxY)) + 2;
  return {left, top, right - left, bottom - top};
}

void RotatingLayer::Draw(Bitmap& plate) const {
  Draw(plate, BestRotateKernels());
}

void RotatingLayer::Draw(Bitmap& plate, const RotateKernels& kernels) const {
  Footprint plan;
  Plan(plate.width(), plate.height(), plan);
  for (int y = plan.top(); y < plan.bottom(); ++y) {
    const Footprint::Columns c = plan.at(y);
    DrawRow(plate, plan, y, c.lo, c.hi, kernels);
  }
}

void RotatingLayer::Plan(int plateWidth, int plateHeight, Footprint& out) const {
  out.rows_.clear();
  const double a = double(angle_) * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const Rect area = Intersect(BoundsFor(c, s), {0, 0, plateWidth, plateHeight});
  if (area.empty() || content_.lo > content_.hi) return;
  // Only the rows and columns whose samples reach the hand's visible pixels;
  // sample positions still count from the whole hand's box, as they always did.
  const Rect visible = Intersect(BoundsFor(c, s, content_.lo - 1.0, content_.hi + 1.0,
                                           content_.top - 1.0, content_.bottom + 1.0),
                                 area);
  if (visible.empty()) return;
  const double one = double(1 << kFixBits);
  out.top_ = visible.y;
  out.left_ = area.x;
  out.stepU_ = std::llround(c * one), out.stepV_ = std::llround(s * one);
  // A sample at padded position u reads columns floor(u) and floor(u) + 1.
  const long long minU = (long long)content_.lo << kFixBits;
  const long long endU = ((long long)content_.hi + 2) << kFixBits;
  const long long minV = (long long)content_.top << kFixBits;
  const long long endV = ((long long)content_.bottom + 2) << kFixBits;

  // Position in the padded hand (+1 for the border) of plate pixel
  // (area.x, py), stepped by (-sin, cos) per row.
  const double X = area.x - posX_, Y = area.y - posY_;
  double rowU = pivotX_ + 1.0 + c * X - s * Y, rowV = pivotY_ + 1.0 + s * X + c * Y;
  out.rows_.resize(size_t(visible.height));
  for (int py = area.y; py < visible.bottom(); ++py, rowU -= s, rowV += c) {
    if (py < visible.y) continue;
    Footprint::Row& row = out.rows_[size_t(py - visible.y)];
    row.u = std::llround(rowU * one), row.v = std::llround(rowV * one);
    row.lo = visible.x, row.hi = visible.right() - 1;
    ClipSpan(row.u, out.stepU_, minU, endU, area.x, row.lo, row.hi);
    ClipSpan(row.v, out.stepV_, minV, endV, area.x, row.lo, row.hi);
  }
}

void RotatingLayer::DrawRow(Bitmap& plate, const Footprint& plan, int y, int from, int to) const {
  DrawRow(plate, plan, y, from, to, BestRotateKernels());
}

void RotatingLayer::DrawRow(Bitmap& plate, const Footprint& plan, int y, int from, int to,
                            const RotateKernels& kernels) const {
  const size_t i = size_t(y - plan.top_);
  if (y < plan.top_ || i >= plan.rows_.size()) return;
  const Footprint::Row& row = plan.rows_[i];
  const int lo = std::max(row.lo, from), hi = std::min(row.hi, to);
  if (lo > hi) return;
  RotateSpan span;
  span.hand = premul_.data();
  span.stride = size_t(content_.hi - content_.lo) + 3;
  span.stepU = plan.stepU_, span.stepV = plan.stepV_;
  // Positions count in the whole padded hand; the kept part starts at the
  // visible pixels' corner.
  span.u = row.u + (lo - plan.left_) * span.stepU - ((long long)content_.lo << kFixBits);
  span.v = row.v + (lo - plan.left_) * span.stepV - ((long long)content_.top << kFixBits);
  span.plate = plate.row(y) + size_t(lo) * 4;
  span.count = hi - lo + 1;
  kernels.drawSpan(span);
}

}  // namespace moravel
