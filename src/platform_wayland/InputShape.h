#pragma once
// The input region of a surface drawn at a whole-number buffer scale: the
// frame is in device pixels, the region in surface (logical) pixels, each
// `scale` x `scale` device pixels. A logical pixel takes input when any of
// its device pixels is shown (not pure blue), so no shown pixel is ever
// clicked through.
//
// The shown state of every device pixel is kept (a bit each), so that a
// piece whose edges cut through logical pixels still gets them right from
// the pixels beside it. At scale 1 nothing needs keeping.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class InputShape {
 public:
  // What to do to the region: take `area` out, then add `shown` (inside
  // `area`), all in logical pixels.
  struct Change {
    Rect area;
    std::vector<Rect> shown;
  };

  // A frame of width x height device pixels (whole multiples of `scale`,
  // which is at least 1), nothing shown yet.
  InputShape(int width, int height, int scale);

  // Records the pixels shown at `area` (device pixels, clipped to the
  // frame), read from the top-left area.width x area.height pixels of
  // `piece`; with `anyKey` false all of them are shown. Returns the change
  // of the region: the logical pixels that `area` touches.
  Change Update(const Bitmap& piece, Rect area, bool anyKey);

 private:
  bool Shown(int x, int y) const { return bits_[Index(x, y) >> 3] >> (Index(x, y) & 7) & 1; }
  size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

  int width_, height_, scale_;
  std::vector<uint8_t> bits_;  // device pixels shown, row after row; empty at scale 1
};

}  // namespace moravel
