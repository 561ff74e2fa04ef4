#pragma once
// The timers of the desktop program. The session switches them; the window
// runs them and calls the session's handler of each.

namespace moravel {

enum class DesktopTimer {
  // These two run on the grids of their intervals (see TimeTickSchedule).
  Calendar,  // every 1000 ms: calendar pictures when the day changes
  Clock,     // every 500 ms: clock digits and hands when the second changes
  EditorCaption,  // every 1000 ms: the button editor polls its caption box
  Placement,      // every 100 ms: the keys of the placement overlay
};

inline constexpr int kDesktopTimerCount = 4;

// The interval of each timer, milliseconds.
constexpr int DesktopTimerInterval(DesktopTimer timer) {
  switch (timer) {
    case DesktopTimer::Calendar:
    case DesktopTimer::EditorCaption:
      return 1000;
    case DesktopTimer::Clock:
      return 500;
    case DesktopTimer::Placement:
      break;
  }
  return 100;
}

class DesktopTimers {
 public:
  virtual ~DesktopTimers() = default;
  virtual void SetEnabled(DesktopTimer timer, bool enabled) = 0;
  virtual bool IsEnabled(DesktopTimer timer) const = 0;
};

}  // namespace moravel
