#pragma once
// When the calendar's and the clock's timers run, for the window that wakes
// for them (QtDesktopTimers). The clock's ticks lie on a 500 ms grid from the
// moment it is switched on and the calendar's on a 1000 ms grid, as their
// intervals say. The clock shows whole seconds, so a clock tick in the same
// wall-clock second as the grid point before it would change nothing: it is
// left out, and the clock runs at the grid points that follow a change of
// second (and at its first), once a second instead of twice. While the clock
// is on, the calendar's ticks after its first wait for the clock's next run
// (less than a second), so that the two share one wake: its first, which
// shows the date, keeps its time. Where both run, the calendar runs first.
// Times: `now` and the wakes in milliseconds of a steady clock; `wallMs` the
// millisecond within the current second of the wall clock (0-999).

#include <cstdint>
#include <functional>
#include <optional>

#include "desktop/DesktopTimers.h"

namespace moravel {

// A grid point this close before a change of second may run a little late
// and see the new second: it is not left out.
inline constexpr int kClockMarginMs = 10;

// The wait from a clock grid point `wallMs` into its second to the next grid
// point that can change what the clock shows, milliseconds: 500 or 1000.
constexpr int ClockWaitMs(int wallMs) {
  const int step = DesktopTimerInterval(DesktopTimer::Clock);
  return wallMs + step + kClockMarginMs >= 1000 ? step : 2 * step;
}

class TimeTickSchedule {
 public:
  // A wake this much before a tick counts as on time (timers round).
  static constexpr int64_t kEarlyMs = 5;

  // `timer`: Calendar or Clock (others are ignored). Switching on a timer
  // that is on keeps its grid; its first tick is one interval after `now`.
  void SetEnabled(DesktopTimer timer, bool on, int64_t now);
  bool IsEnabled(DesktopTimer timer) const;

  // The next wake, or nothing when neither timer is on.
  std::optional<int64_t> NextWake() const;

  struct Runs {
    bool calendar = false;  // runs first
    bool clock = false;
  };
  // At a wake: the timers that run now; their next ticks are planned. After
  // a long stall (a suspended machine) the grids start again from `now`.
  Runs TakeDue(int64_t now, int wallMs);
  // Calls `onTick` with each timer of `runs`, the calendar first, each only
  // while it is still on: a handler may switch the timers (a new skin).
  void Deliver(const Runs& runs, const std::function<void(DesktopTimer)>& onTick) const;

 private:
  struct Grid {
    bool on = false;
    bool ran = false;  // since switched on
    int64_t due = 0;   // the next tick
  };
  Grid calendar_, clock_;
};

}  // namespace moravel
