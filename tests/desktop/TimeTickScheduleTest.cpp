// When the calendar and the clock run: the clock at exactly the ticks of its
// 500 ms timer that can change the second it shows, the calendar with it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/TimeTickSchedule.h"

namespace moravel {
namespace {

// Runs the schedule from `start` for `ms` milliseconds of a wall clock that
// reads `offset` ms ahead of the steady one; each wake comes `late(n)` ms
// after the schedule asked for it.
struct Ticks {
  std::vector<int64_t> clock, calendar;
};
template <typename Late>
Ticks Drive(TimeTickSchedule& schedule, int64_t start, int64_t ms, int64_t offset, Late late) {
  Ticks run;
  for (int n = 0;; ++n) {
    const std::optional<int64_t> wake = schedule.NextWake();
    if (!wake || *wake > start + ms) break;
    const int64_t now = *wake + late(n);
    const TimeTickSchedule::Runs runs = schedule.TakeDue(now, int((now + offset) % 1000));
    if (runs.calendar) run.calendar.push_back(now);
    if (runs.clock) run.clock.push_back(now);
  }
  return run;
}

TEST(TimeTickScheduleTest, TheClockRunsAtTheTicksOfItsGridThatCanChangeTheSecond) {
  for (int64_t offset = 0; offset < 1000; offset += 3) {
    TimeTickSchedule schedule;
    const int64_t start = 100000;
    schedule.SetEnabled(DesktopTimer::Clock, true, start);
    const Ticks run = Drive(schedule, start, 20000, offset, [](int n) { return n % 3; });
    // The 500 ms timer: its first tick, and each that falls in a new second.
    std::vector<int64_t> wanted;
    for (int64_t t = start + 500; t <= start + 20000; t += 500) {
      const int64_t second = (t + offset) / 1000, before = (t - 500 + offset) / 1000;
      const bool nearChange = (t + offset) % 1000 + kClockMarginMs >= 1000;
      if (t == start + 500 || second != before || nearChange) wanted.push_back(t);
    }
    ASSERT_EQ(run.clock.size(), wanted.size()) << "offset " << offset;
    for (size_t i = 0; i < wanted.size(); ++i) {
      EXPECT_GE(run.clock[i], wanted[i]) << "offset " << offset;
      EXPECT_LE(run.clock[i], wanted[i] + 2) << "offset " << offset;
    }
  }
}

TEST(TimeTickScheduleTest, TheCalendarKeepsItsSecondAndSharesTheClocksWakes) {
  auto none = [](int) { return 0; };
  TimeTickSchedule alone;
  alone.SetEnabled(DesktopTimer::Calendar, true, 0);
  const Ticks calendar = Drive(alone, 0, 5000, 250, none);
  EXPECT_EQ(calendar.calendar, (std::vector<int64_t>{1000, 2000, 3000, 4000, 5000}));
  EXPECT_TRUE(calendar.clock.empty());

  for (int64_t offset : {0, 300, 700}) {
    TimeTickSchedule both;
    both.SetEnabled(DesktopTimer::Calendar, true, 0);
    both.SetEnabled(DesktopTimer::Clock, true, 0);
    const Ticks run = Drive(both, 0, 10000, offset, none);
    ASSERT_GE(run.calendar.size(), 9u);
    EXPECT_GE(run.calendar[0], 1000);
    EXPECT_LE(run.calendar[0], 1500);
    for (size_t i = 0; i < run.calendar.size(); ++i) {
      EXPECT_NE(std::find(run.clock.begin(), run.clock.end(), run.calendar[i]), run.clock.end());
      if (i > 0) {
        EXPECT_EQ(run.calendar[i] - run.calendar[i - 1], 1000) << "offset " << offset;
      }
    }
  }
}

TEST(TimeTickScheduleTest, SwitchingOffStopsTheWakesAndAStallStartsTheGridsAgain) {
  TimeTickSchedule schedule;
  schedule.SetEnabled(DesktopTimer::Calendar, true, 0);
  schedule.SetEnabled(DesktopTimer::Clock, true, 0);
  schedule.SetEnabled(DesktopTimer::Clock, true, 400);  // already on: the grid stays
  EXPECT_EQ(schedule.NextWake(), 500);

  // Woken ten seconds late: each runs once, and the grids go on from there.
  const TimeTickSchedule::Runs late = schedule.TakeDue(10700, 700);
  EXPECT_TRUE(late.calendar && late.clock);
  EXPECT_EQ(schedule.NextWake(), 11200);  // the first grid point in a new second
  const TimeTickSchedule::Runs clockOnly = schedule.TakeDue(11200, 200);
  EXPECT_TRUE(clockOnly.clock);
  EXPECT_FALSE(clockOnly.calendar);  // due at 11700: it waits for the clock
  EXPECT_EQ(schedule.NextWake(), 12200);
  const TimeTickSchedule::Runs both = schedule.TakeDue(12200, 200);
  EXPECT_TRUE(both.calendar && both.clock);

  schedule.SetEnabled(DesktopTimer::Clock, false, 12300);
  EXPECT_EQ(schedule.NextWake(), 12700);  // the calendar's own grid
  schedule.SetEnabled(DesktopTimer::Calendar, false, 12300);
  EXPECT_FALSE(schedule.NextWake());
  EXPECT_FALSE(schedule.IsEnabled(DesktopTimer::Calendar));
}

}  // namespace
}  // namespace moravel
