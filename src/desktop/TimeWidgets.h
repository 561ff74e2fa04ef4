#pragma once
// The analog clock, the digit clock and the calendar: the work of the scene
// that depends on the time. Implemented in src/widgets; the program hands it
// to the desktop. Without one, a skin's [analogclock] counts as failed and the
// timers' ticks draw nothing.

#include "desktop/SceneContext.h"

namespace moravel {

class TimeWidgets {
 public:
  virtual ~TimeWidgets() = default;
  // Builds the analog clock of [analogclock] over the painted wallpaper, on
  // ControlLayer::AnalogClock. With `clickAction` its image opens the date and
  // time settings (bound as ctx.menu says); without, it has no click action.
  // False when anything failed; the caller then marks the clock absent.
  virtual bool BuildAnalogClock(SceneContext& ctx, bool clickAction) = 0;
  // Destroys the analog clock's controls (only called when it is present).
  virtual void ClearAnalogClock(SceneContext& ctx) = 0;
  // The calendar timer's tick (every 1000 ms) and the clock timer's (500 ms).
  virtual void OnCalendarTimer(SceneContext& ctx) = 0;
  virtual void OnClockTimer(SceneContext& ctx) = 0;
};

}  // namespace moravel
