// When the calendar and the clock run: the clock at exactly the ticks of its
// 500 ms timer that can change the second it shows, the calendar with it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/TimeTickSchedule.h"

namespace moravel {
namespace {

// Wakes the schedule for 20 s of a wall clock `offset` ms ahead of the steady
// one, each wake `n % 3` ms late; the times the calendar and the clock ran.
std::vector<int64_t> Drive(TimeTickSchedule& schedule, int64_t offset,
                           std::vector<int64_t>* calendar) {
  std::vector<int64_t> clock;
  for (int n = 0; schedule.NextWake() && *schedule.NextWake() <= 20000; ++n) {
    const int64_t now = *schedule.NextWake() + n % 3;
    const TimeTickSchedule::Runs runs = schedule.TakeDue(now, int((now + offset) % 1000));
    if (runs.calendar) calendar->push_back(now);
    if (runs.clock) clock.push_back(now);
  }
  return clock;
}

TEST(TimeTickScheduleTest, TheClockRunsAtTheGridsTicksThatCanChangeTheSecondWithTheCalendar) {
  for (int64_t offset = 0; offset < 1000; offset += 3) {
    TimeTickSchedule schedule;
    schedule.SetEnabled(DesktopTimer::Calendar, true, 0);
    schedule.SetEnabled(DesktopTimer::Clock, true, 0);
    std::vector<int64_t> calendar;
    const std::vector<int64_t> clock = Drive(schedule, offset, &calendar);
    // The 500 ms timer: its first tick, and each in a new second (or so near one
    // that running late would put it there).
    std::vector<int64_t> wanted;
    for (int64_t t = 500; t <= 20000; t += 500) {
      if (t == 500 || (t + offset) / 1000 != (t - 500 + offset) / 1000 ||
          (t + offset) % 1000 + kClockMarginMs >= 1000)
        wanted.push_back(t);
    }
    ASSERT_EQ(clock.size(), wanted.size()) << "offset " << offset;
    for (size_t i = 0; i < wanted.size(); ++i) EXPECT_NEAR(clock[i], wanted[i] + 1, 1) << offset;
    // The calendar: first at its own first tick (it shows the date), then a
    // second apart in the clock's wakes (once half a second later).
    ASSERT_GE(calendar.size(), 18u);
    EXPECT_NEAR(calendar[0], 1001, 1);
    EXPECT_NEAR(calendar[1] - calendar[0], 1250, 252);
    for (size_t i = 1; i < calendar.size(); ++i) {
      if (i > 1) {
        EXPECT_NEAR(calendar[i] - calendar[i - 1], 1000, 2) << offset;
      }
      EXPECT_NE(std::find(clock.begin(), clock.end(), calendar[i]), clock.end());
    }
  }
}

TEST(TimeTickScheduleTest, AStallStartsTheGridsAgainAndSwitchingOffStopsTheWakes) {
  TimeTickSchedule schedule;
  schedule.SetEnabled(DesktopTimer::Calendar, true, 0);
  schedule.SetEnabled(DesktopTimer::Clock, true, 0);
  schedule.SetEnabled(DesktopTimer::Clock, true, 400);  // already on: the grid stays
  EXPECT_EQ(schedule.NextWake(), 500);
  const TimeTickSchedule::Runs late = schedule.TakeDue(10700, 700);  // ten seconds late
  EXPECT_TRUE(late.calendar && late.clock);
  EXPECT_EQ(schedule.NextWake(), 11200);  // the first grid point in a new second
  schedule.SetEnabled(DesktopTimer::Clock, false, 10800);
  EXPECT_EQ(schedule.NextWake(), 11700);  // the calendar's own grid
  schedule.SetEnabled(DesktopTimer::Calendar, false, 10800);
  EXPECT_FALSE(schedule.NextWake());
}

TEST(TimeTickScheduleTest, DeliveryRunsTheCalendarFirstAndSkipsATimerSwitchedOffMeanwhile) {
  TimeTickSchedule schedule;
  schedule.SetEnabled(DesktopTimer::Calendar, true, 0);
  schedule.SetEnabled(DesktopTimer::Clock, true, 0);
  std::vector<DesktopTimer> ran;
  schedule.Deliver({.calendar = true, .clock = true}, [&](DesktopTimer timer) {
    ran.push_back(timer);
    schedule.SetEnabled(DesktopTimer::Clock, false, 0);  // a skin without a clock
  });
  EXPECT_EQ(ran, std::vector<DesktopTimer>{DesktopTimer::Calendar});
}

}  // namespace
}  // namespace moravel
