#include "scene/ImageControl.h"

#include <algorithm>
#include <utility>

namespace moravel {

void BindClick(ControlHandlers& handlers, ClickAction action, bool doubleClick) {
  handlers.action = action;
  handlers.binding = doubleClick ? ClickBinding::DoubleClick : ClickBinding::Click;
}

void ImageControl::SetPicture(Picture picture) {
  if (picture == picture_) return;
  const Rect before = drawnRect();
  const bool hadPixels = HasPixels(picture_);
  picture_ = std::move(picture);
  if (HasPixels(picture_)) {
    width_ = picture_->width();
    height_ = picture_->height();
  } else if (!hadPixels) {
    return;  // nothing was drawn and nothing is drawn now
  }
  Changed(before);
}

void ImageControl::MoveTo(int left, int top) {
  left = std::clamp(left, -kFarOffScreen, kFarOffScreen);
  top = std::clamp(top, -kFarOffScreen, kFarOffScreen);
  if (left == left_ && top == top_) return;
  const Rect before = drawnRect();
  left_ = left;
  top_ = top;
  Changed(before);
}

void ImageControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  const Rect before = drawnRect();
  visible_ = visible;
  Changed(before);
}

void ImageControl::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  const Rect before = drawnRect();
  width_ = width;
  height_ = height;
  Changed(before);
}

void ImageControl::SetPicture(Picture picture, std::span<const Rect> changed) {
  if (!HasPixels(picture) || !HasPixels(picture_) || picture->width() != width_ ||
      picture->height() != height_) {
    SetPicture(std::move(picture));
    return;
  }
  picture_ = std::move(picture);
  if (!observer_ || !visible_) return;
  const Rect drawn = drawnRect();
  for (const Rect& r : changed) {
    const Rect area = Intersect({left_ + r.x, top_ + r.y, r.width, r.height}, drawn);
    if (!area.empty()) observer_->ControlAreaChanged(*this, area);
  }
}

void ImageControl::Changed(Rect before) {
  if (observer_) observer_->ControlChanged(*this, before);
}

}  // namespace moravel
