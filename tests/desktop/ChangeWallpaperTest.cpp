// "Сменить фон" in the session: the clock timer around the work, the picture
// asked for, and the one [wallpaper] key written.

#include <gtest/gtest.h>

#include "DesktopTestKit.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::FakePainter;
using test::ReadText;

constexpr Rgba kGreen{0, 255, 0, 255};

const char* const kAllKeys =
    "[wallpaper]\r\nimage5x4=a.png\r\nimage4x3=b.png\r\nimage16x10=c.png\r\nimage16x9=d.png\r\n";
const std::pair<std::string, std::string> kKeysAndValues[] = {
    {"image5x4", "a.png"}, {"image4x3", "b.png"}, {"image16x10", "c.png"}, {"image16x9", "d.png"}};

TEST(ChangeWallpaperTest, CancelChangesNothingButStartsTheClockTimer) {
  DesktopHarness h;
  h.Config(kAllKeys);
  FakePainter painter;
  h.wallpaper = &painter;
  Desktop& s = h.Start(64, 48);
  ASSERT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock)) << "a skin without clocks";
  const std::string config = ReadText(h.skinFolder() / "config.ini");
  const size_t before = h.timers.switches.size();
  s.ChangeWallpaper(std::nullopt);
  EXPECT_EQ(ReadText(h.skinFolder() / "config.ini"), config);
  EXPECT_EQ(painter.defaults.size(), 1u) << "only the start-up painted";
  EXPECT_EQ(s.frame().picture().at(5, 5), painter.colour);
  ASSERT_EQ(h.timers.switches.size(), before + 2);
  EXPECT_FALSE(h.timers.switches[before].enabled);
  EXPECT_TRUE(h.timers.switches[before + 1].enabled);
  EXPECT_EQ(h.timers.switches[before + 1].timer, DesktopTimer::Clock);
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
}

TEST(ChangeWallpaperTest, TheChosenFileIsStoredUnderTheScreensKeyOnly) {
  struct Case {
    int w, h;
    const char* key;
  };
  // A path relative to the working folder is stored as its full path.
  const std::filesystem::path chosen = "pictures/../pictures/new.png";
  const std::string stored =
      '?' + (std::filesystem::current_path() / "pictures" / "new.png").string();
  for (const Case& c : {Case{125, 100, "image5x4"}, Case{133, 100, "image4x3"},
                        Case{160, 100, "image16x10"}, Case{178, 100, "image16x9"}}) {
    DesktopHarness h;
    h.Config(kAllKeys);
    FakePainter painter;
    h.wallpaper = &painter;
    Desktop& s = h.Start(c.w, c.h);
    painter.colour = kGreen;
    s.ChangeWallpaper(chosen);
    ASSERT_EQ(painter.defaults.size(), 2u);
    EXPECT_EQ(painter.defaults[1], stored) << "asked for the chosen file";
    EXPECT_EQ(s.frame().picture().at(5, 5), kGreen);
    const IniFile config(h.skinFolder() / "config.ini");
    for (const auto& [key, old] : kKeysAndValues) {
      EXPECT_EQ(config.ReadString("wallpaper", key, ""), key == std::string(c.key) ? stored : old)
          << c.w << " " << key;
    }
  }
}

TEST(ChangeWallpaperTest, AFileThatCannotBePaintedIsStillStored) {
  DesktopHarness h;
  FakePainter painter;
  h.wallpaper = &painter;
  Desktop& s = h.Start(64, 48);  // 4:3
  painter.succeed = false;
  s.ChangeWallpaper("/no/such/picture.emf");
  EXPECT_EQ(s.frame().picture().at(5, 5), painter.colour);
  // Stored as the full path (on Windows, on the current drive).
  EXPECT_EQ(IniFile(h.skinFolder() / "config.ini").ReadString("wallpaper", "image4x3", ""),
            '?' + std::filesystem::absolute("/no/such/picture.emf").string());
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
}

}  // namespace
}  // namespace moravel
