#include "platform/SystemClock.h"

#include <ctime>

namespace moravel {

LocalTime SystemClock::now() const {
  // localtime_r alone keeps the zone it read first; tzset picks up a changed
  // TZ or /etc/localtime (a stat per call when nothing changed).
  tzset();
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  LocalTime lt;
  lt.year = tm.tm_year + 1900;
  lt.month = tm.tm_mon + 1;
  lt.day = tm.tm_mday;
  lt.weekday = tm.tm_wday + 1;
  lt.hour = tm.tm_hour;
  lt.minute = tm.tm_min;
  lt.second = tm.tm_sec;
  return lt;
}

}  // namespace moravel
