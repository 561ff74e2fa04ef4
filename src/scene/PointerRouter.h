#pragma once
// Turns the window's pointer events into the events of the controls, in the
// order the skins were designed for:
//  - an event goes to the topmost control whose rectangle holds the pointer
//    (the wallpaper control when there is none inside the screen);
//  - while the left button is held, the control where it was pressed gets
//    every event (capture);
//  - a press gives mouse-down; the left release gives click, only when the
//    pointer is still inside the pressed control (and it still exists), then
//    mouse-up;
//  - the second press of a double click gives double-click, then mouse-down;
//    its release gives mouse-up without a click.
// Other buttons give mouse-down and mouse-up only.

#include <cstdint>

#include "scene/ControlEvents.h"
#include "scene/ControlStack.h"
#include "scene/PointerEvent.h"

namespace moravel {

class PointerRouter {
 public:
  // All three outlive the router. `wallpaper` covers the screen below all.
  PointerRouter(const ControlStack& controls, ImageControl& wallpaper, ControlEvents& events)
      : controls_(controls), wallpaper_(wallpaper), events_(events) {}

  void Handle(const PointerEvent& event);

  // Where the events of overlay controls (ControlHandlers::overlay) go while
  // a placement runs; null: to the same handlers as every other control.
  // `overlay` must outlive its use.
  void SetOverlay(ControlEvents* overlay) { overlay_ = overlay; }

  // The control under (x, y) for an event that is not captured, or null.
  ImageControl* HitTest(int x, int y) const;

 private:
  // The control with this id while it lives (the wallpaper's is 0), or null.
  ImageControl* Live(uint64_t id) const;
  ImageControl* Captured() const;
  void Press(ImageControl& target, const PointerEvent& event);
  void Release(ImageControl& target, const PointerEvent& event);

  const ControlStack& controls_;
  ImageControl& wallpaper_;
  // The handlers of `control`'s events.
  ControlEvents& EventsOf(const ImageControl& control) const {
    return overlay_ && control.handlers.overlay ? *overlay_ : events_;
  }

  ControlEvents& events_;
  ControlEvents* overlay_ = nullptr;
  bool captured_ = false;
  uint64_t capturedId_ = 0;  // the wallpaper's id is 0
  bool skipClick_ = false;   // the left button went down as a double click
};

}  // namespace moravel
