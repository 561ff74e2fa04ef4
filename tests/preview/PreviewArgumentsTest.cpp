// The command line of moravel-preview.

#include <gtest/gtest.h>

#include <vector>

#include "preview/PreviewArguments.h"

namespace moravel {
namespace {

struct ArgumentCase {
  std::vector<std::string_view> args;
  bool ok;
  int width, height;
  bool timed;
  int scale = 1;
};

TEST(PreviewArgumentsTest, AcceptsOnlyTheUsage) {
  const ArgumentCase cases[] = {
      {{"skin", "1920x1080", "out.png"}, true, 1920, 1080, false},
      {{"--time", "2026-03-14 10:08:42", "skin", "1x16384", "out.png"}, true, 1, 16384, true},
      {{"skin", "1920x1080"}, false},
      {{"skin", "1920x1080", "out.png", "more"}, false},
      {{"skin", "1920*1080", "out.png"}, false},
      {{"skin", "0x1080", "out.png"}, false},
      {{"skin", "16385x10", "out.png"}, false},
      {{"skin", "+19x10", "out.png"}, false},
      {{"skin", "19x10px", "out.png"}, false},
      {{"skin", "19x10", "out.png", "--time"}, false},
      {{"skin", "19x10", "out.png", "--time", "2026-03-14"}, false},
      {{"skin", "--scale", "2", "3840x2160", "out.png"}, true, 3840, 2160, false, 2},
      {{"skin", "19x10", "out.png", "--scale", "4"}, false},
      {{"skin", "19x10", "out.png", "--scale", "22"}, false},
      {{"skin", "19x10", "out.png", "--scale"}, false},
  };
  for (const ArgumentCase& c : cases) {
    const Result<PreviewArguments> parsed = ParsePreviewArguments(c.args);
    ASSERT_EQ(parsed.ok(), c.ok) << c.args[1];
    if (!parsed) {
      EXPECT_EQ(parsed.error().kind, ErrorKind::kMalformed) << c.args[1];
      EXPECT_FALSE(parsed.error().message.empty());
      continue;
    }
    EXPECT_EQ(parsed->skinFolder, "skin");
    EXPECT_EQ(parsed->output, "out.png");
    EXPECT_EQ(parsed->width, c.width);
    EXPECT_EQ(parsed->height, c.height);
    EXPECT_EQ(parsed->time.has_value(), c.timed);
    EXPECT_EQ(parsed->scale, c.scale);
  }
}

TEST(PreviewArgumentsTest, TimesAreRealDatesWithTheirWeekday) {
  EXPECT_EQ(ParseLocalTime("2026-03-14 10:08:42"), (LocalTime{2026, 3, 14, 7, 10, 8, 42}));
  EXPECT_EQ(ParseLocalTime("2024-02-29 23:59:60"), (LocalTime{2024, 2, 29, 5, 23, 59, 60}));
  EXPECT_EQ(ParseLocalTime("2026-03-15 00:00:00")->weekday, 1);  // Sunday
  for (const char* bad : {"2026-02-29 10:00:00", "2026-13-01 10:00:00", "2026-04-31 10:00:00",
                          "2026-03-14 24:00:00", "2026-03-14 10:60:00", "2026-03-14T10:08:42",
                          "2026-3-14 10:08:42", "0000-01-01 00:00:00", "2026-03-14 10:08:4x"}) {
    EXPECT_FALSE(ParseLocalTime(bad)) << bad;
  }
}

}  // namespace
}  // namespace moravel
