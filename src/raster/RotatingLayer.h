#pragma once
// A picture turned about a pivot and laid over a plate, such as a clock hand.
//
// Geometry: hand pixel (hx, hy) lands on plate pixel
//   position + (dx cos a + dy sin a, -dx sin a + dy cos a),  (dx, dy) = (hx, hy) - pivot,
// with y pointing down, so a positive angle turns counter-clockwise on screen:
// at 90 degrees a hand drawn pointing right of its pivot points up.
//
// Drawing maps every plate pixel back into the hand and samples it bilinearly
// (1/128 pixel steps) from a premultiplied copy, so transparent pixels lend no
// colour to the edges; outside the hand everything is transparent. The sample
// is laid over the plate source-over and the plate keeps straight alpha; an
// opaque plate stays opaque.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Rect.h"
#include "raster/RotateKernels.h"

namespace moravel {

class RotatingLayer {
 public:
  // Keeps a premultiplied copy of `hand` (straight alpha); the hand bitmap is
  // not referenced afterwards. Pivot, position and angle start at 0.
  explicit RotatingLayer(const Bitmap& hand);

  void setPivot(float x, float y) { pivotX_ = x, pivotY_ = y; }  // pixels in the hand
  void setPosition(float x, float y) { posX_ = x, posY_ = y; }   // pixels on the plate
  void setAngle(float degrees) { angle_ = degrees; }
  float angle() const { return angle_; }

  // The plate rectangle Draw may change at the current angle (not clipped to
  // any plate; empty for an empty hand or a non-finite angle or position).
  Rect Bounds() const;

  void Draw(Bitmap& plate) const;
  // The same with a chosen kernel set (tests compare the sets).
  void Draw(Bitmap& plate, const RotateKernels& kernels) const;

  // Where Draw writes on a plate of some size at the current angle, row by
  // row, with where each row samples the hand; drawing a row from it gives
  // the very pixels Draw gives there.
  class Footprint {
   public:
    // The columns [lo, hi] of plate row y (lo > hi: none).
    struct Columns {
      int lo = 0, hi = -1;
    };
    Columns at(int y) const {
      const size_t i = size_t(y - top_);
      return y >= top_ && i < rows_.size() ? Columns{rows_[i].lo, rows_[i].hi} : Columns{};
    }
    bool empty() const { return rows_.empty(); }
    int top() const { return top_; }
    int bottom() const { return top_ + int(rows_.size()); }  // one past the last row

   private:
    friend class RotatingLayer;
    struct Row {
      int lo, hi;
      long long u, v;  // the sample position at column left_
    };
    int top_ = 0, left_ = 0;
    long long stepU_ = 0, stepV_ = 0;
    std::vector<Row> rows_;
  };
  // Fills `out` (reusing its memory) for a plate of plateWidth x plateHeight.
  void Plan(int plateWidth, int plateHeight, Footprint& out) const;
  // Draws row y of `plan` (made for this plate), only its columns from..to.
  void DrawRow(Bitmap& plate, const Footprint& plan, int y, int from, int to) const;

 private:
  void DrawRow(Bitmap& plate, const Footprint& plan, int y, int from, int to,
               const RotateKernels& kernels) const;
  Rect BoundsFor(double cosA, double sinA) const;
  // The plate box of the hand rectangle (u0, u1) x (v0, v1), in hand pixels.
  Rect BoundsFor(double cosA, double sinA, double u0, double u1, double v0, double v1) const;

  int width_ = 0, height_ = 0;
  // The visible pixels (content_) premultiplied, RGBA, with a transparent
  // border of one pixel, so a 2 x 2 sample never leaves it (RotateSpan::hand).
  std::vector<uint8_t> premul_;
  // The hand pixels that are not fully transparent (lo > hi: none): only
  // samples that reach them are drawn, since the rest leave the plate as it is.
  struct {
    int lo = 1 << 30, hi = -1, top = 1 << 30, bottom = -1;
  } content_;
  float pivotX_ = 0, pivotY_ = 0, posX_ = 0, posY_ = 0, angle_ = 0;
};

}  // namespace moravel
