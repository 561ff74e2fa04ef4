#include "desktop/TimeTickSchedule.h"

namespace moravel {

void TimeTickSchedule::SetEnabled(DesktopTimer timer, bool on, int64_t now) {
  Grid* grid = timer == DesktopTimer::Calendar ? &calendar_
               : timer == DesktopTimer::Clock  ? &clock_
                                               : nullptr;
  if (!grid || grid->on == on) return;
  grid->on = on;
  grid->ran = false;
  grid->due = now + DesktopTimerInterval(timer);
}

bool TimeTickSchedule::IsEnabled(DesktopTimer timer) const {
  return timer == DesktopTimer::Calendar ? calendar_.on
         : timer == DesktopTimer::Clock  ? clock_.on
                                         : false;
}

std::optional<int64_t> TimeTickSchedule::NextWake() const {
  // After its first tick the calendar waits for the clock.
  if (calendar_.on && (!clock_.on || (!calendar_.ran && calendar_.due < clock_.due)))
    return calendar_.due;
  if (clock_.on) return clock_.due;
  return std::nullopt;
}

TimeTickSchedule::Runs TimeTickSchedule::TakeDue(int64_t now, int wallMs) {
  constexpr int64_t kStallMs = 1000;
  Runs runs;
  if (clock_.on && now >= clock_.due - kEarlyMs) {
    runs.clock = true;
    if (now - clock_.due > kStallMs) clock_.due = now;
    // The wall-clock millisecond of the grid point this run stands for.
    const int late = int(now - clock_.due);
    const int pointMs = ((wallMs - late) % 1000 + 1000) % 1000;
    clock_.due += ClockWaitMs(pointMs);
  }
  if (calendar_.on && now >= calendar_.due - kEarlyMs &&
      (runs.clock || !clock_.on || !calendar_.ran)) {
    runs.calendar = true;
    calendar_.ran = true;
    const int64_t step = DesktopTimerInterval(DesktopTimer::Calendar);
    if (now - calendar_.due > kStallMs) calendar_.due = now;
    calendar_.due += step * ((now + kEarlyMs - calendar_.due) / step + 1);
  }
  return runs;
}

void TimeTickSchedule::Deliver(const Runs& runs,
                               const std::function<void(DesktopTimer)>& onTick) const {
  if (!onTick) return;
  if (runs.calendar && calendar_.on) onTick(DesktopTimer::Calendar);
  if (runs.clock && clock_.on) onTick(DesktopTimer::Clock);
}

}  // namespace moravel
