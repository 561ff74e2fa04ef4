// Switching skins with the real wallpaper, clocks and calendar: what the old
// skin leaves behind (nothing) and what the new one shows.

#include <gtest/gtest.h>

#include "TimeWidgetsTestKit.h"
#include "widgets/AnalogClock.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {
namespace {

using test::ClockHarness;
using test::PatternAt;
using test::Solid;

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};

// A calendar section showing `file` for every value of its keys.
std::string CalendarSection(std::string_view name, int first, int last, int x, int y,
                            std::string_view file) {
  std::string text = '[' + std::string(name) + "]\r\nx=" + std::to_string(x) +
                     "\r\ny=" + std::to_string(y) + "\r\n";
  for (int i = first; i <= last; ++i) {
    text += "image" + std::to_string(i) + "=" + std::string(file) + "\r\n";
  }
  return text;
}

// A plate whose 10 x 10 corners are transparent, so the wallpaper shows there.
Bitmap PlateWithOpenCorners() {
  Bitmap plate = Solid(test::kPlateSize, test::kPlateSize, test::kPlateGrey);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) plate.set(x, y, Rgba{0, 0, 0, 0});
  }
  return plate;
}

TEST(SkinSwitchTest, TheOldSkinsMonthAndClockAreGoneAndTheTimersFollowTheNewSkin) {
  ClockHarness h;  // skins/wood: [month] and an analog clock
  h.Picture("m.png", Solid(6, 6, kRed));
  h.Config(ClockHarness::AnalogClockSection(false, 100, 100) +
           CalendarSection("month", 1, 12, 10, 10, "m.png"));
  // skins/paper: one day digit, no month, no clock
  h.Picture("paper", "d.png", Solid(6, 6, kGreen));
  h.Config("paper", CalendarSection("day2", 0, 9, 200, 10, "d.png"));
  Desktop& s = h.Start(400, 300);
  h.clock.set(LocalTime{2026, 3, 7, 7, 10, 0, 0});
  s.OnCalendarTimer();
  ASSERT_EQ(s.frame().picture().at(12, 12), kRed);
  ASSERT_NE(h.widgets.analogClock(), nullptr);

  const size_t before = h.timers.switches.size();
  s.ApplySkin("paper");
  ASSERT_EQ(h.timers.switches.size(), before + 3);
  EXPECT_FALSE(h.timers.switches[before].enabled);
  EXPECT_FALSE(h.timers.switches[before + 1].enabled);
  EXPECT_EQ(h.timers.switches[before + 2].timer, DesktopTimer::Calendar);
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock));
  EXPECT_EQ(h.widgets.analogClock(), nullptr);

  h.clock.set(LocalTime{2026, 3, 8, 1, 10, 0, 0});
  s.OnCalendarTimer();
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Month), nullptr);
  EXPECT_EQ(s.frame().picture().at(12, 12), PatternAt(12, 12)) << "no month picture";
  EXPECT_EQ(s.frame().picture().at(150, 150), PatternAt(150, 150)) << "no clock";
  EXPECT_EQ(s.frame().picture().at(202, 12), kGreen);
}

TEST(SkinSwitchTest, TheClockIsBuiltOverTheNewSkinsWallpaper) {
  ClockHarness h;
  SkinWallpaper painter;
  h.wallpaper = &painter;
  h.Picture("wall.png", Solid(4, 3, kRed));
  h.Config("[wallpaper]\r\nimage4x3=wall.png\r\n");
  for (const char* file : {"hour.png", "acm.png"}) {
    std::filesystem::create_directories(h.skinFolder("paper"));
    std::filesystem::copy_file(h.skinFolder() / file, h.skinFolder("paper") / file);
  }
  h.Picture("paper", "plate.png", PlateWithOpenCorners());
  h.Picture("paper", "wall.png", Solid(4, 3, kGreen));
  h.Config("paper", "[wallpaper]\r\nimage4x3=wall.png\r\n" +
                        ClockHarness::AnalogClockSection(false, 100, 100));
  Desktop& s = h.Start(400, 300);
  ASSERT_EQ(s.frame().picture().at(5, 5), kRed);

  s.ApplySkin("paper");
  EXPECT_EQ(s.frame().picture().at(5, 5), kGreen);
  const AnalogClock* clock = h.widgets.analogClock();
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->base().at(2, 2), kGreen) << "the new wallpaper under the plate";
  EXPECT_EQ(s.frame().picture().at(102, 102), kGreen);
  EXPECT_EQ(clock->image().handlers.action, ClickAction::OpenDateTimeSettings);
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
}

TEST(SkinSwitchTest, TheWallpaperStaysWhenTheNewSkinNamesNoneOrIsMissing) {
  ClockHarness h;
  SkinWallpaper painter;
  h.wallpaper = &painter;
  h.Picture("wall.png", Solid(4, 3, kRed));
  h.User("[button1]\r\nimage=b_u.png\r\nx=50\r\ny=50\r\n");
  h.Picture("b_u.png", Solid(4, 4, kGreen));
  h.Config("[wallpaper]\r\nimage4x3=wall.png\r\n" +
           ClockHarness::AnalogClockSection(false, 100, 100));
  h.Config("paper", "[wallpaper]\r\n[picture1]\r\nimage=none.png\r\n");
  Desktop& s = h.Start(400, 300);
  ASSERT_EQ(s.frame().picture().at(51, 51), kGreen);

  s.ApplySkin("paper");
  EXPECT_EQ(painter.wallpaperName(), "d");
  EXPECT_EQ(s.frame().picture().at(5, 5), kRed);
  EXPECT_EQ(s.frame().picture().at(51, 51), kRed);

  s.ApplySkin("Error!");
  const Bitmap& frame = s.frame().picture();
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) ASSERT_EQ(frame.at(x, y), kRed) << x << "," << y;
  }
  EXPECT_EQ(s.state().scene.staticCount, 0);
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock));
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
}

TEST(SkinSwitchTest, AFourByThreeWallpaperFillsAWideScreen) {
  ClockHarness h;
  SkinWallpaper painter;
  h.wallpaper = &painter;
  Bitmap halves = Solid(40, 30, kRed);  // left half red, right half green
  for (int y = 0; y < 30; ++y) {
    for (int x = 20; x < 40; ++x) halves.set(x, y, kGreen);
  }
  h.Picture("paper", "only.png", halves);
  h.Config("paper", "[wallpaper]\r\nimage4x3=only.png\r\n");
  Desktop& s = h.Start(1920, 1080);  // wood names no wallpaper
  ASSERT_EQ(s.frame().picture().at(960, 540), kBlue);

  s.ApplySkin("paper");
  EXPECT_EQ(painter.wallpaperName(), "only.png");
  const Bitmap& frame = s.frame().picture();
  EXPECT_EQ(frame.at(0, 0), kRed);
  EXPECT_EQ(frame.at(700, 1079), kRed);
  EXPECT_EQ(frame.at(1220, 0), kGreen);
  EXPECT_EQ(frame.at(1919, 1079), kGreen);
}

}  // namespace
}  // namespace moravel
