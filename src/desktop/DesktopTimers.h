#pragma once
// The timers of the desktop program. The desktop switches them; the window
// runs them and calls the desktop's handler of each.

namespace moravel {

enum class DesktopTimer {
  // These two run on the grids of their intervals (see TimeTickSchedule).
  Calendar,       // every 1000 ms: calendar pictures when the day changes
  Clock,          // every 500 ms: clock digits and hands when the second changes
  EditorCaption,  // every 1000 ms: the button editor polls its caption box
  Placement,      // every 100 ms: the keys of the placement overlay
  EditorTyping,   // once, 300 ms after the last keystroke in the editor's target or icon box
};

inline constexpr int kDesktopTimerCount = 5;

// The interval of each timer, milliseconds.
constexpr int DesktopTimerInterval(DesktopTimer timer) {
  switch (timer) {
    case DesktopTimer::Calendar:
    case DesktopTimer::EditorCaption:
      return 1000;
    case DesktopTimer::Clock:
      return 500;
    case DesktopTimer::EditorTyping:
      return 300;
    case DesktopTimer::Placement:
      break;
  }
  return 100;
}

// True for a timer that ticks once and then is off until switched on again.
constexpr bool DesktopTimerTicksOnce(DesktopTimer timer) {
  return timer == DesktopTimer::EditorTyping;
}

class DesktopTimers {
 public:
  virtual ~DesktopTimers() = default;
  // Switching on a timer that runs leaves it as it is.
  virtual void SetEnabled(DesktopTimer timer, bool enabled) = 0;
  virtual bool IsEnabled(DesktopTimer timer) const = 0;
  // Switches the timer on with its whole interval ahead, running or not.
  void Restart(DesktopTimer timer) {
    SetEnabled(timer, false);
    SetEnabled(timer, true);
  }
};

}  // namespace moravel
