#include "platform/SystemClock.h"

#include <windows.h>

namespace moravel {

// GetLocalTime follows a change of the zone at once, so nothing is watched.
struct SystemClock::Zone {};

SystemClock::SystemClock() = default;

SystemClock::~SystemClock() = default;

LocalTime SystemClock::now() const {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  LocalTime lt;
  lt.year = st.wYear;
  lt.month = st.wMonth;
  lt.day = st.wDay;
  lt.weekday = st.wDayOfWeek + 1;  // Sunday is 0 there, 1 here
  lt.hour = st.wHour;
  lt.minute = st.wMinute;
  lt.second = st.wSecond;
  return lt;
}

}  // namespace moravel
