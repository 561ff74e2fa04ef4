#pragma once
// The clocks and the calendar of a skin, as the program hands them to the
// desktop session (DesktopServices::timeWidgets): the analog clock, the digit
// clock and the calendar pictures, driven by the desktop's two timers.
//
// Lifetime: must outlive the desktop it is given to. Holds the analog clock
// built on the desktop's controls; a clock left from another session's
// controls is never touched.

#include <memory>

#include "desktop/TimeWidgets.h"
#include "widgets/AnalogClock.h"
#include "widgets/Calendar.h"

namespace moravel {

class SkinTimeWidgets : public TimeWidgets {
 public:
  bool BuildAnalogClock(SceneContext& ctx, bool clickAction) override;
  void ClearAnalogClock(SceneContext& ctx) override;
  void OnCalendarTimer(SceneContext& ctx) override;
  void OnClockTimer(SceneContext& ctx) override;

  // The analog clock built last, or null (none built, failed or cleared).
  const AnalogClock* analogClock() const { return analogClock_.get(); }

 private:
  std::unique_ptr<AnalogClock> analogClock_;
  Calendar calendar_;
};

}  // namespace moravel
