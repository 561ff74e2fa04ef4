// "Сменить фон" with the real wallpaper painter and analog clock: the picture
// painted, the clock built again over it, the reference stored.

#include <gtest/gtest.h>

#include "TimeWidgetsTestKit.h"
#include "settings/IniFile.h"
#include "widgets/AnalogClock.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {
namespace {

using test::ClockHarness;
using test::Solid;

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255};

// A 400 x 300 desktop (4:3) over a skin with a red wallpaper, keys for the
// other shapes, and an analog clock at (100, 100) whose plate has open
// (transparent) 10 x 10 corners.
class WallpaperChange : public ::testing::Test {
 protected:
  WallpaperChange() {
    h.wallpaper = &painter;
    h.Picture("wall.png", Solid(4, 3, kRed));
    Bitmap plate = Solid(test::kPlateSize, test::kPlateSize, test::kPlateGrey);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) plate.set(x, y, Rgba{0, 0, 0, 0});
    }
    h.Picture("plate.png", plate);
    h.Config(
        "[doubleclick]\r\ndc=0\r\n[wallpaper]\r\nimage4x3=wall.png\r\nimage5x4=a.png\r\n"
        "image16x10=b.png\r\nimage16x9=c.png\r\n" +
        ClockHarness::AnalogClockSection(false, 100, 100));
    session = &h.Start(400, 300);
  }
  const AnalogClock& Clock() const { return *h.widgets.analogClock(); }
  Rgba Screen(int x, int y) const { return session->frame().picture().at(x, y); }
  std::filesystem::path Elsewhere(std::string_view name) const {
    return h.programFolder() / "pictures" / name;
  }
  IniFile Config() const { return IniFile(h.skinFolder() / "config.ini"); }

  ClockHarness h;
  SkinWallpaper painter;
  Desktop* session;
};

TEST_F(WallpaperChange, TheClockIsBuiltAgainOverTheNewPictureWithoutItsClickAction) {
  ASSERT_EQ(Clock().base().at(2, 2), kRed);
  ASSERT_EQ(Clock().image().handlers.action, ClickAction::OpenDateTimeSettings);
  test::WritePng(Elsewhere("green.png"), Solid(8, 6, kGreen));
  session->ChangeWallpaper(Elsewhere("green.png"));
  EXPECT_EQ(Screen(5, 5), kGreen);
  EXPECT_EQ(Screen(102, 102), kGreen) << "around the plate";
  EXPECT_EQ(Screen(150, 120), test::kPlateGrey);
  EXPECT_EQ(Clock().base().at(2, 2), kGreen);
  EXPECT_EQ(Clock().image().handlers.action, ClickAction::None);
  EXPECT_EQ(Clock().image().handlers.binding, ClickBinding::None);
  EXPECT_TRUE(session->state().scene.analogClockPresent);
  EXPECT_EQ(Config().ReadString("wallpaper", "image4x3", ""),
            '?' + Elsewhere("green.png").string());
}

TEST_F(WallpaperChange, TheNewHandsAreSetAtTheNextTickEvenInTheSameSecond) {
  h.Tick(6, 45, 0);  // the minute hand points to 9 o'clock
  ASSERT_EQ(Clock().image().picture()->at(50 - 20, 50), test::kMinuteGreen);
  test::WritePng(Elsewhere("green.png"), Solid(8, 6, kGreen));
  session->ChangeWallpaper(Elsewhere("green.png"));
  h.Tick(6, 45, 0);
  const Bitmap& picture = *Clock().image().picture();
  EXPECT_EQ(picture.at(50 - 20, 50), test::kMinuteGreen);
  EXPECT_EQ(picture.at(50 + 20, 50), test::kPlateGrey) << "not left at the built angle";
}

TEST_F(WallpaperChange, AFileThatCannotBeLoadedKeepsTheBackgroundButIsStored) {
  test::WriteText(Elsewhere("broken.png"), "not a picture");
  session->ChangeWallpaper(Elsewhere("broken.png"));
  EXPECT_EQ(Screen(5, 5), kRed);
  EXPECT_EQ(Clock().base().at(2, 2), kRed);
  EXPECT_EQ(Clock().image().handlers.action, ClickAction::None) << "built again all the same";
  const IniFile config = Config();
  EXPECT_EQ(config.ReadString("wallpaper", "image4x3", ""), '?' + Elsewhere("broken.png").string());
  EXPECT_EQ(config.ReadString("wallpaper", "image5x4", ""), "a.png");
  EXPECT_EQ(config.ReadString("wallpaper", "image16x10", ""), "b.png");
  EXPECT_EQ(config.ReadString("wallpaper", "image16x9", ""), "c.png");
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));

  // The next start-up cannot load it either and shows the blue fill.
  h.Start(400, 300);
  EXPECT_EQ(h.session->frame().picture().at(5, 5), (Rgba{0, 0, 255, 255}));
}

TEST_F(WallpaperChange, AClockThatCannotBeBuiltAgainIsSwitchedOff) {
  std::filesystem::remove(h.skinFolder() / "hour.png");
  test::WritePng(Elsewhere("green.png"), Solid(8, 6, kGreen));
  session->ChangeWallpaper(Elsewhere("green.png"));
  EXPECT_FALSE(session->state().scene.analogClockPresent);
  EXPECT_EQ(h.widgets.analogClock(), nullptr);
  EXPECT_EQ(Screen(150, 120), kGreen);
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
  h.Tick(1, 2, 3);  // ticks go on without a clock
  EXPECT_EQ(Screen(150, 120), kGreen);
}

}  // namespace
}  // namespace moravel
