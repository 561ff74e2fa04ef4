#include "desktop/FrameComposer.h"

#include "raster/Drawing.h"

namespace moravel {
namespace {

// Past this many rectangles, or half the screen's area, one recomposition of
// the whole frame is cheaper than many small ones.
constexpr size_t kMaxPieces = 128;

// Blends `src` placed at (x, y) onto `dst`, only inside `clip`.
void BlendClipped(Bitmap& dst, const Bitmap& src, int x, int y, Rect clip) {
  const Rect target = Intersect(clip, {x, y, src.width(), src.height()});
  if (target.empty()) return;
  BlendRect(dst, target.x, target.y, src,
            {target.x - x, target.y - y, target.width, target.height});
}

}  // namespace

FrameComposer::FrameComposer(const ControlStack& controls, int width, int height)
    : controls_(controls),
      wallpaper_(Bitmap::Create(width, height, kDesktopKeyColour).value_or(Bitmap())),
      frame_(wallpaper_) {}

void FrameComposer::SetSize(int width, int height) {
  if (width == frame_.width() && height == frame_.height()) return;
  wallpaper_ = Bitmap();  // the old frame goes before the new one is made
  frame_ = Bitmap();
  wallpaper_ = Bitmap::Create(width, height, kDesktopKeyColour).value_or(Bitmap());
  frame_ = wallpaper_;
  pending_.clear();
  dirty_.clear();
  InvalidateAll();
}

void FrameComposer::Invalidate(Rect area) {
  const Rect r = Intersect(area, {0, 0, frame_.width(), frame_.height()});
  if (!r.empty()) pending_.push_back(r);
}

bool FrameComposer::Flush() {
  if (pending_.empty()) return false;
  long long area = 0;
  for (const Rect& r : pending_) area += (long long)r.width * r.height;
  const long long whole = (long long)frame_.width() * frame_.height();
  if (pending_.size() > kMaxPieces || 2 * area >= whole) {
    pending_.assign(1, Rect{0, 0, frame_.width(), frame_.height()});
  }
  for (const Rect& r : pending_) {
    Recompose(r);
    dirty_.push_back(r);
  }
  pending_.clear();
  return true;
}

std::vector<Rect> FrameComposer::TakeDirty() {
  Flush();
  std::vector<Rect> out;
  out.swap(dirty_);
  return out;
}

void FrameComposer::Recompose(Rect area) {
  CopyRect(frame_, area.x, area.y, wallpaper_, area);
  controls_.Intersecting(area, scratch_);
  for (const ImageControl* c : scratch_) {
    if (!HasPixels(c->picture())) continue;
    BlendClipped(frame_, *c->picture(), c->rect().x, c->rect().y, area);
  }
}

}  // namespace moravel
