#include "scene/FramePresenter.h"

#include <algorithm>

namespace moravel {

void FramePresenter::Present(Rect area, FrameOutput& output) {
  const Bitmap& wallpaper = composer_.wallpaper();
  const int width = wallpaper.width(), height = wallpaper.height();
  const Rect r = Intersect(area, {0, 0, width, height});
  if (r.empty()) return;
  if (width != width_ || height != height_) {
    // A new screen size: the buffer and the mask are made again.
    stripe_ = Bitmap::Create(width, std::min(kStripeRows, height)).value_or(Bitmap());
    mask_ = KeyColourMask(width, height);
    width_ = width;
    height_ = height;
  }
  if (stripe_.empty()) return;
  // The buffer holds kStripeRows rows of the frame's width: a narrower
  // rectangle goes in taller pieces (a clock hand's box in one).
  const size_t capacity = size_t(width_) * size_t(std::min(kStripeRows, height_));
  const int rows = int(std::min<size_t>(capacity / size_t(r.width), size_t(r.height)));
  for (int y = r.y; y < r.bottom(); y += rows) {
    const Rect piece{r.x, y, r.width, std::min(rows, r.bottom() - y)};
    stripe_.ReshapeForOverwrite(piece.width, piece.height);
    composer_.ComposeInto(piece, stripe_);
    bool anyKey = false;
    if (mask_.Update(stripe_, piece, anyKey)) output.ShapePiece(stripe_, piece, anyKey);
    output.ShowPiece(stripe_, piece);
  }
}

}  // namespace moravel
