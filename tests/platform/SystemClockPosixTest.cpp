#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/SystemClock.h"

namespace {

using namespace std::chrono;
using moravel::LocalTime;

// Sets TZ for the test and restores the previous value afterwards.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

// The broken-down time of `t` shifted by `offset`, computed with <chrono>.
LocalTime Expected(system_clock::time_point t, hours offset) {
  auto shifted = floor<seconds>(t) + offset;
  auto day = floor<days>(shifted);
  year_month_day ymd{day};
  hh_mm_ss hms{shifted - day};
  LocalTime lt;
  lt.year = int(ymd.year());
  lt.month = int(unsigned(ymd.month()));
  lt.day = int(unsigned(ymd.day()));
  lt.weekday = int(weekday{day}.c_encoding()) + 1;
  lt.hour = int(hms.hours().count());
  lt.minute = int(hms.minutes().count());
  lt.second = int(hms.seconds().count());
  return lt;
}

void ExpectNowMatches(hours offset) {
  moravel::SystemClock clock;
  auto before = system_clock::now();
  LocalTime now = clock.now();
  auto after = system_clock::now();
  // The reading falls between the two instants; allow a second boundary.
  // time() reads the coarse clock, which may lag the fine one by a tick of
  // the kernel (a few ms): just past a second, it may still give the last.
  EXPECT_TRUE(now == Expected(before, offset) || now == Expected(after, offset) ||
              now == Expected(before - milliseconds(20), offset))
      << now.year << "-" << now.month << "-" << now.day << " wd" << now.weekday << " " << now.hour
      << ":" << now.minute << ":" << now.second;
}

}  // namespace

TEST(SystemClock, GivesTheCalendarFieldsOfUtc) {
  ZoneGuard zone("UTC");
  ExpectNowMatches(hours(0));
}

TEST(SystemClock, FollowsTheLocalZone) {
  // Fourteen hours ahead of UTC: the date differs from UTC's for most of a day.
  ZoneGuard zone("<+14>-14");
  ExpectNowMatches(hours(14));
}

TEST(SystemClock, NoticesAZoneChangeWhileRunning) {
  ZoneGuard zone("UTC");
  ExpectNowMatches(hours(0));
  // The zone changes under a running program, which calls nothing itself.
  setenv("TZ", "<+14>-14", 1);
  ExpectNowMatches(hours(14));
}
