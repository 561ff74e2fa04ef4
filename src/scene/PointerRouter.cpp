#include "scene/PointerRouter.h"

namespace moravel {

ImageControl* PointerRouter::HitTest(int x, int y) const {
  if (ImageControl* top = controls_.TopmostAt(x, y)) return top;
  return wallpaper_.Covers(x, y) ? &wallpaper_ : nullptr;
}

ImageControl* PointerRouter::Live(uint64_t id) const {
  return id == wallpaper_.id() ? &wallpaper_ : controls_.Find(id);
}

ImageControl* PointerRouter::Captured() const {
  return captured_ ? Live(capturedId_) : nullptr;
}

void PointerRouter::Handle(const PointerEvent& event) {
  ImageControl* target = captured_ ? Captured() : HitTest(event.x, event.y);
  if (captured_ && !target) {  // the pressed control is gone
    captured_ = false;
    target = HitTest(event.x, event.y);
  }
  switch (event.kind) {
    case PointerEvent::Kind::Move:
      if (target) EventsOf(*target).MouseMove(*target, event.x, event.y);
      break;
    case PointerEvent::Kind::Press:
    case PointerEvent::Kind::DoubleClick:
      if (target) Press(*target, event);
      break;
    case PointerEvent::Kind::Leave:
      // A held button keeps the pressed control until its release.
      if (!captured_) EventsOf(wallpaper_).MouseMove(wallpaper_, -1, -1);
      break;
    case PointerEvent::Kind::Release:
      if (target) {
        Release(*target, event);
      } else if (event.button == MouseButton::Left) {
        captured_ = skipClick_ = false;
      }
      break;
  }
}

void PointerRouter::Press(ImageControl& target, const PointerEvent& event) {
  const uint64_t id = target.id();
  if (event.button == MouseButton::Left) {
    captured_ = true;
    capturedId_ = id;
    skipClick_ = event.kind == PointerEvent::Kind::DoubleClick;
    if (skipClick_) EventsOf(target).DoubleClick(target);
  }
  // A handler may have changed the scene; deliver only to a live control.
  if (ImageControl* still = Live(id))
    EventsOf(*still).MouseDown(*still, event.button, event.x, event.y);
}

void PointerRouter::Release(ImageControl& target, const PointerEvent& event) {
  const uint64_t id = target.id();
  if (event.button == MouseButton::Left) {
    const bool click =
        captured_ && capturedId_ == id && !skipClick_ && target.Covers(event.x, event.y);
    captured_ = skipClick_ = false;
    if (click) EventsOf(target).Click(target);
  }
  if (ImageControl* still = Live(id))
    EventsOf(*still).MouseUp(*still, event.button, event.x, event.y);
}

}  // namespace moravel
