#pragma once
// The two timers of the desktop window. The session switches them; the window
// runs them and calls DesktopSession::OnCalendarTimer / OnClockTimer.

namespace moravel {

enum class DesktopTimer {
  Calendar,  // every 1000 ms: calendar pictures when the day changes
  Clock,     // every 500 ms: clock digits and hands when the second changes
};

class DesktopTimers {
 public:
  virtual ~DesktopTimers() = default;
  virtual void SetEnabled(DesktopTimer timer, bool enabled) = 0;
  virtual bool IsEnabled(DesktopTimer timer) const = 0;
};

}  // namespace moravel
