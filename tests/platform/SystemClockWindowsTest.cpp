#include <gtest/gtest.h>

#include <ctime>

#include "platform/SystemClock.h"

namespace {

using moravel::LocalTime;

// The clock reads the same local time as the C run-time library, in the zone
// Windows is set to, with the fields numbered as LocalTime numbers them.
TEST(SystemClockTest, AgreesWithTheRunTimesLocalTime) {
  moravel::SystemClock clock;
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    const LocalTime now = clock.now();
    if (std::time(nullptr) != before) continue;  // a new second began meanwhile
    std::tm tm{};
    ASSERT_EQ(localtime_s(&tm, &before), 0);
    const LocalTime expected{.year = tm.tm_year + 1900,
                             .month = tm.tm_mon + 1,
                             .day = tm.tm_mday,
                             .weekday = tm.tm_wday + 1,
                             .hour = tm.tm_hour,
                             .minute = tm.tm_min,
                             .second = tm.tm_sec};
    EXPECT_EQ(now, expected);
    return;
  }
  FAIL() << "every attempt straddled a second";
}

}  // namespace
