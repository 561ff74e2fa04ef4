#include "scene/FrameComposer.h"

#include <algorithm>

#include "raster/Drawing.h"

namespace moravel {
namespace {

// Past this many rectangles, or half the screen's area, one recomposition of
// the whole frame is cheaper than many small ones.
constexpr size_t kMaxPieces = 128;

// Lays `src` placed at (x, y) over `dst`, only inside `clip`: copied when
// it is opaque, blended by its alpha otherwise.
void DrawClipped(Bitmap& dst, const Bitmap& src, int x, int y, Rect clip, bool opaque) {
  const Rect target = Intersect(clip, {x, y, src.width(), src.height()});
  if (target.empty()) return;
  const Rect from{target.x - x, target.y - y, target.width, target.height};
  if (opaque) {
    CopyRect(dst, target.x, target.y, src, from);
  } else {
    BlendRect(dst, target.x, target.y, src, from);
  }
}

long long Area(const Rect& r) {
  return (long long)r.width * r.height;
}

// Overlapping rectangles are joined into their bounding box where that box
// is no larger than the two together, so no pixel is composed and sent twice
// for nothing (the hands of a clock cross each other).
void JoinOverlapping(std::vector<Rect>& rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    for (size_t j = i + 1; j < rects.size(); ++j) {
      if (Intersect(rects[i], rects[j]).empty()) continue;
      const Rect& a = rects[i];
      const Rect& b = rects[j];
      const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
      const Rect box{left, top, std::max(a.right(), b.right()) - left,
                     std::max(a.bottom(), b.bottom()) - top};
      if (Area(box) > Area(a) + Area(b)) continue;
      rects[i] = box;
      rects.erase(rects.begin() + std::ptrdiff_t(j));
      j = i;  // the grown rectangle may meet earlier ones now
    }
  }
}

}  // namespace

FrameComposer::FrameComposer(const ControlStack& controls, int width, int height, bool paintFirst)
    : controls_(controls),
      wallpaper_((paintFirst ? Bitmap::CreateForOverwrite(width, height)
                             : Bitmap::Create(width, height, kDesktopKeyColour))
                     .value_or(Bitmap())),
      width_(wallpaper_.width()),
      height_(wallpaper_.height()),
      unfilled_(paintFirst) {}

void FrameComposer::WallpaperPainted(bool painted) {
  if (!painted) FillIfUnfilled();
  unfilled_ = false;
}

void FrameComposer::FillIfUnfilled() const {
  if (!unfilled_) return;
  unfilled_ = false;
  FillRect(wallpaper_, {0, 0, width_, height_}, kDesktopKeyColour);
}

void FrameComposer::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  const bool keepFrame = !frame_.empty();
  wallpaper_ = Bitmap();  // the old pictures go before the new ones are made
  frame_ = Bitmap();
  wallpaper_ = Bitmap::Create(width, height, kDesktopKeyColour).value_or(Bitmap());
  width_ = wallpaper_.width();
  height_ = wallpaper_.height();
  unfilled_ = false;
  if (keepFrame) frame_ = wallpaper_;
  pending_.clear();
  dirty_.clear();
  InvalidateAll();
}

void FrameComposer::Invalidate(Rect area) {
  const Rect r = Intersect(area, {0, 0, width_, height_});
  if (r.empty()) return;
  pending_.push_back(r);
  if (sink_ && !told_) {
    told_ = true;
    sink_->FrameChanged();
  }
}

bool FrameComposer::MovePending() const {
  if (pending_.empty()) return false;
  long long area = 0;
  for (const Rect& r : pending_) area += (long long)r.width * r.height;
  const long long whole = (long long)width_ * height_;
  if (pending_.size() > kMaxPieces || 2 * area >= whole) {
    pending_.assign(1, Rect{0, 0, width_, height_});
  } else {
    JoinOverlapping(pending_);
  }
  for (const Rect& r : pending_) {
    if (!frame_.empty()) ComposeInto(r, frame_, r.x, r.y);
    dirty_.push_back(r);
  }
  pending_.clear();
  return true;
}

std::vector<Rect> FrameComposer::TakeDirty() {
  Flush();
  told_ = false;
  std::vector<Rect> out;
  out.swap(dirty_);
  return out;
}

const Bitmap& FrameComposer::picture() const {
  FillIfUnfilled();
  if (frame_.empty() && !wallpaper_.empty()) {
    frame_ = wallpaper_;
    ComposeInto({0, 0, width_, height_}, frame_, 0, 0);
  }
  MovePending();
  return frame_;
}

void FrameComposer::ComposeInto(Rect area, Bitmap& out) const {
  ComposeInto(area, out, 0, 0);
}

void FrameComposer::ComposeInto(Rect area, Bitmap& out, int outX, int outY) const {
  FillIfUnfilled();
  controls_.Intersecting(area, scratch_);
  // The topmost opaque control that covers the whole area hides everything
  // below it: composing starts from its picture instead of the wallpaper.
  auto hides = [&area](const ImageControl* c) {
    return c->opaque() && HasPixels(c->picture()) && Intersect(c->rect(), area) == area;
  };
  size_t first = scratch_.size();
  while (first > 0 && !hides(scratch_[first - 1])) --first;
  if (first == 0) {
    CopyRect(out, outX, outY, wallpaper_, area);
  } else {
    --first;
  }
  for (size_t i = first; i < scratch_.size(); ++i) {
    const ImageControl* c = scratch_[i];
    if (!HasPixels(c->picture())) continue;
    DrawClipped(out, *c->picture(), c->rect().x - area.x + outX, c->rect().y - area.y + outY,
                {outX, outY, area.width, area.height}, c->opaque());
  }
}

}  // namespace moravel
