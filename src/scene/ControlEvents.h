#pragma once
// The events a control receives, in the order the pointer router delivers
// them (see PointerRouter.h).

#include "scene/ImageControl.h"
#include "scene/PointerEvent.h"

namespace moravel {

class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  // (x, y): the pointer in screen pixels.
  virtual void MouseMove(ImageControl& control, int x, int y) = 0;
  virtual void MouseDown(ImageControl& control, MouseButton button, int x, int y) = 0;
  virtual void Click(ImageControl& control) = 0;        // left button only
  virtual void DoubleClick(ImageControl& control) = 0;  // left button only
  // (x, y): the pointer in screen pixels, where a menu opens.
  virtual void MouseUp(ImageControl& control, MouseButton button, int x, int y) = 0;
};

}  // namespace moravel
