#pragma once
// A moment of the local wall clock, broken into the fields the clocks and
// calendars draw.

namespace moravel {

struct LocalTime {
  int year = 1970;  // e.g. 2026
  int month = 1;    // 1-12
  int day = 1;      // 1-31
  int weekday = 5;  // 1 = Sunday ... 7 = Saturday
  int hour = 0;     // 0-23
  int minute = 0;   // 0-59
  int second = 0;   // 0-60 (60 only on a leap second)

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

}  // namespace moravel
