#pragma once
// Shows changed parts of the desktop frame on a window that keeps no copy of
// it: each rectangle is composed into one reused buffer of kStripeRows rows
// of the frame's width, in full-width stripes or in taller pieces of a
// narrower rectangle; each piece is handed to the window, and the window's
// shape is sent again for a piece only where its key-colour pixels changed.
// So a clock tick costs the hands' rectangles, and no screen-sized picture
// is made besides the wallpaper.

#include "scene/FrameComposer.h"
#include "scene/FrameOutput.h"
#include "scene/KeyColourMask.h"

namespace moravel {

class FramePresenter {
 public:
  static constexpr int kStripeRows = 64;

  // `composer` must outlive the presenter.
  explicit FramePresenter(const FrameComposer& composer) : composer_(composer) {}

  // Sends `area` (clipped to the frame) to `output`.
  void Present(Rect area, FrameOutput& output);

 private:
  const FrameComposer& composer_;
  int width_ = 0, height_ = 0;  // the frame's size the buffers were made for
  Bitmap stripe_;
  KeyColourMask mask_{0, 0};
};

}  // namespace moravel
