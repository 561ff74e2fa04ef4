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
  const size_t stride = size_t(width_) + 2;
  premul_.assign(stride * (size_t(height_) + 2) * 4, 0);
  for (int y = 0; y < height_; ++y) {
    const uint8_t* s = hand.row(y);
    uint8_t* d = premul_.data() + ((size_t(y) + 1) * stride + 1) * 4;
    for (int x = 0; x < width_; ++x, s += 4, d += 4) {
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
  if (width_ == 0 || !std::isfinite(c) || !std::isfinite(s) || !std::isfinite(pivotX_) ||
      !std::isfinite(pivotY_) || !std::isfinite(posX_) || !std::isfinite(posY_)) {
    return {};
  }
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  // Samples are non-zero for hand coordinates in (-1, width) x (-1, height).
  for (double u : {-1.0, double(width_)}) {
    for (double v : {-1.0, double(height_)}) {
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
  const double a = double(angle_) * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const Rect area = Intersect(BoundsFor(c, s), {0, 0, plate.width(), plate.height()});
  if (area.empty()) return;
  const double one = double(1 << kFixBits);
  RotateSpan span;
  span.hand = premul_.data();
  span.stride = size_t(width_) + 2;
  span.stepU = std::llround(c * one), span.stepV = std::llround(s * one);
  const long long endU = ((long long)width_ + 1) << kFixBits;
  const long long endV = ((long long)height_ + 1) << kFixBits;

  // Position in the padded hand (+1 for the border) of plate pixel
  // (area.x, py), stepped by (-sin, cos) per row.
  const double X = area.x - posX_, Y = area.y - posY_;
  double rowU = pivotX_ + 1.0 + c * X - s * Y, rowV = pivotY_ + 1.0 + s * X + c * Y;
  for (int py = area.y; py < area.bottom(); ++py, rowU -= s, rowV += c) {
    const long long u0 = std::llround(rowU * one), v0 = std::llround(rowV * one);
    int lo = area.x, hi = area.right() - 1;
    ClipSpan(u0, span.stepU, 0, endU, area.x, lo, hi);
    ClipSpan(v0, span.stepV, 0, endV, area.x, lo, hi);
    if (lo > hi) continue;
    span.u = u0 + (lo - area.x) * span.stepU, span.v = v0 + (lo - area.x) * span.stepV;
    span.plate = plate.row(py) + size_t(lo) * 4;
    span.count = hi - lo + 1;
    kernels.drawSpan(span);
  }
}

}  // namespace moravel
