#include "preview/PreviewArguments.h"

#include <charconv>
#include <chrono>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/Utf8Path.h"

namespace moravel {
namespace {

// Exactly `digits` decimal digits from `text` at `at`, in [low, high].
std::optional<int> Field(std::string_view text, size_t at, size_t digits, int low, int high) {
  if (at + digits > text.size()) return std::nullopt;
  int value = 0;
  for (char c : text.substr(at, digits)) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<int> Side(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || text[0] == '+' ||
      value < 1 || value > kMaxPreviewSide) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::pair<int, int>> ParseScreenSize(std::string_view text) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> w = Side(text.substr(0, x)), h = Side(text.substr(x + 1));
  if (!w || !h) return std::nullopt;
  return std::make_pair(*w, *h);
}

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
  // YYYY-MM-DD HH:MM:SS
  // 0123456789012345678
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  const auto year = Field(text, 0, 4, 1, 9999), month = Field(text, 5, 2, 1, 12),
             day = Field(text, 8, 2, 1, 31), hour = Field(text, 11, 2, 0, 23),
             minute = Field(text, 14, 2, 0, 59), second = Field(text, 17, 2, 0, 60);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(*year), std::chrono::month(unsigned(*month)),
                            std::chrono::day(unsigned(*day))};
  if (!date.ok()) return std::nullopt;
  LocalTime t;
  t.year = *year;
  t.month = *month;
  t.day = *day;
  t.weekday = int(weekday(sys_days(date)).c_encoding()) + 1;  // 1 = Sunday
  t.hour = *hour;
  t.minute = *minute;
  t.second = *second;
  return t;
}

Result<PreviewArguments> ParsePreviewArguments(std::span<const std::string_view> args) {
  auto misfit = [](std::string why) { return Error{ErrorKind::kMalformed, std::move(why)}; };
  PreviewArguments parsed;
  std::vector<std::string_view> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--scale") {
      if (i + 1 == args.size() || args[i + 1].size() != 1 || args[i + 1][0] < '1' ||
          args[i + 1][0] > '3')
        return misfit("--scale needs 1, 2 or 3");
      parsed.scale = args[++i][0] - '0';
      continue;
    }
    if (args[i] != "--time") {
      positional.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size() || !(parsed.time = ParseLocalTime(args[i + 1])))
      return misfit("--time needs a time written \"YYYY-MM-DD HH:MM:SS\"");
    ++i;
  }
  if (positional.size() != 3) return misfit("three arguments are needed");
  const auto size = ParseScreenSize(positional[1]);
  if (!size) {
    return misfit("the screen size must be WIDTHxHEIGHT, each 1 to " +
                  std::to_string(kMaxPreviewSide));
  }
  parsed.skinFolder = PathFromUtf8(positional[0]);
  std::tie(parsed.width, parsed.height) = *size;
  parsed.output = PathFromUtf8(positional[2]);
  return parsed;
}

}  // namespace moravel
