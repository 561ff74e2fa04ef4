#pragma once
// The clock and calendar sections of a skin's config.ini, in the order their
// pictures are built and stacked (lowest first).

#include <array>
#include <string_view>

namespace moravel {

enum class WidgetSection {
  Month,
  Clock1,  // tens of the hour
  Clock2,  // units of the hour
  Clock3,  // tens of the minute
  Clock4,  // units of the minute
  Clock5,  // tens of the second
  Clock6,  // units of the second
  Weekday,
  Day1,   // tens of the day of the month
  Day2,   // units of the day of the month
  Year1,  // thousands of the year
  Year2,
  Year3,
  Year4,  // units of the year
};

inline constexpr int kWidgetSectionCount = 14;

inline constexpr std::array<std::string_view, kWidgetSectionCount> kWidgetSectionNames = {
    "month",   "clock1", "clock2", "clock3", "clock4", "clock5", "clock6",
    "weekday", "day1",   "day2",   "year1",  "year2",  "year3",  "year4"};

inline constexpr std::string_view WidgetSectionName(WidgetSection s) {
  return kWidgetSectionNames[size_t(s)];
}

// Clock1 .. Clock6: the digit clock.
inline constexpr bool IsClockSection(WidgetSection s) {
  return s >= WidgetSection::Clock1 && s <= WidgetSection::Clock6;
}

// 0 for Clock1 .. 5 for Clock6.
inline constexpr int ClockIndex(WidgetSection s) {
  return int(s) - int(WidgetSection::Clock1);
}

// How many digit pictures each clock section has (image0 .. image<n-1>).
inline constexpr std::array<int, 6> kClockDigitCounts = {3, 10, 6, 10, 6, 10};

}  // namespace moravel
