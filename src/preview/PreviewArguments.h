#pragma once
// The command line of moravel-preview:
//   moravel-preview SKIN_FOLDER WIDTHxHEIGHT OUT.png [--time "YYYY-MM-DD HH:MM:SS"]
//                   [--scale N]
// (the options with their values may stand anywhere).

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "base/Result.h"
#include "platform/LocalTime.h"

namespace moravel {

inline constexpr const char* kPreviewUsage =
    "usage: moravel-preview SKIN_FOLDER WIDTHxHEIGHT OUT.png [--time \"YYYY-MM-DD HH:MM:SS\"] "
    "[--scale 1|2|3]";

// Screen sides from 1 to this many pixels.
inline constexpr int kMaxPreviewSide = 16384;

struct PreviewArguments {
  std::filesystem::path skinFolder;
  int width = 0, height = 0;  // device pixels
  int scale = 1;              // the skin drawn this many times larger (1..3)
  std::filesystem::path output;
  std::optional<LocalTime> time;  // nothing: the local time now
};

// The arguments (without the program name); kMalformed, the message saying
// what is wrong, when they do not fit the usage.
Result<PreviewArguments> ParsePreviewArguments(std::span<const std::string_view> args);

// "WIDTHxHEIGHT", each side 1 .. kMaxPreviewSide.
std::optional<std::pair<int, int>> ParseScreenSize(std::string_view text);

// "YYYY-MM-DD HH:MM:SS", a real date (years 1 .. 9999) and time (second 60
// allowed, for a leap second), with its weekday filled in.
std::optional<LocalTime> ParseLocalTime(std::string_view text);

}  // namespace moravel
