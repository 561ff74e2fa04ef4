#include "platform/SystemClock.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "platform/ZoneWatch.h"

namespace moravel {

struct SystemClock::Zone {
  explicit Zone(std::string file) : watch(std::move(file)) {}
  ZoneWatch watch;
};

SystemClock::SystemClock() {
  tzset();  // before the watch: a change from now on is news
  // The C library reads the zone again only when TZ is unset: then it is
  // /etc/localtime. A zone that TZ names stays for the program's lifetime.
  zone_ = std::make_unique<Zone>(std::getenv("TZ") ? "" : "/etc/localtime");
}

SystemClock::~SystemClock() = default;

LocalTime SystemClock::now() const {
  std::time_t t = std::time(nullptr);
  if (t == last_) return answer_;
  // localtime_r keeps the zone it read last; tzset reads it again.
  if (zone_->watch.Changed()) tzset();
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
  last_ = t;
  answer_ = lt;
  return lt;
}

}  // namespace moravel
