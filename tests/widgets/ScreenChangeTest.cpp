// The desktop following the monitors, with the real wallpaper and clocks:
// a new size for the primary monitor, and the monitors beside it.

#include <gtest/gtest.h>

#include <map>

#include "TimeWidgetsTestKit.h"
#include "desktop/SideScreens.h"
#include "widgets/AnalogClock.h"
#include "widgets/SkinWallpaper.h"

namespace moravel {
namespace {

using test::ClockHarness;
using test::Solid;

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kYellow{255, 255, 0, 255};

std::map<std::filesystem::path, std::string> FilesUnder(const std::filesystem::path& folder) {
  std::map<std::filesystem::path, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    if (e.is_regular_file()) files[e.path()] = test::ReadText(e.path());
  }
  return files;
}

TEST(ScreenChangeTest, TheDesktopIsBuiltAgainForTheNewShapeAndNothingIsWritten) {
  ClockHarness h;
  SkinWallpaper painter;
  h.wallpaper = &painter;
  Bitmap plate = Solid(test::kPlateSize, test::kPlateSize, test::kPlateGrey);
  plate.set(0, 0, Rgba{0, 0, 0, 0});  // the wallpaper shows through one corner
  h.Picture("plate.png", plate);
  h.Picture("wall43.png", Solid(4, 3, kRed));
  h.Picture("wall169.png", Solid(16, 9, kGreen));
  h.Picture("dot.png", Solid(10, 10, kYellow));
  // The picture stands 20 pixels from the far edges; the clock at the centre.
  h.Config(
      "[wallpaper]\r\nimage4x3=wall43.png\r\nimage16x9=wall169.png\r\n"
      "[picture1]\r\nimage=dot.png\r\nx=-20\r\ny=-20\r\n" +
      ClockHarness::AnalogClockSection(true, 10000, 10000));
  Desktop& s = h.Start(400, 300);
  ASSERT_EQ(s.frame().picture().at(385, 285), kYellow);
  ASSERT_EQ(h.widgets.analogClock()->base().at(0, 0), kRed);
  const auto before = FilesUnder(h.programFolder());

  s.FollowScreens({0, 0, 640, 360}, {});
  const Bitmap& frame = s.frame().picture();
  ASSERT_EQ(frame.width(), 640);
  ASSERT_EQ(frame.height(), 360);
  EXPECT_EQ(frame.at(5, 5), kGreen) << "the 16:9 wallpaper";
  EXPECT_EQ(frame.at(625, 345), kYellow) << "the far edges of the new screen";
  EXPECT_EQ(frame.at(385, 285), kGreen) << "nothing left at the old place";
  const AnalogClock* clock = h.widgets.analogClock();
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->base().at(0, 0), kGreen) << "the plate over the new wallpaper";
  EXPECT_EQ(clock->image().rect().x, 320) << "the centre of the new screen";
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
  h.Tick(3, 0, 0);
  EXPECT_EQ(FilesUnder(h.programFolder()), before);
}

TEST(ScreenChangeTest, MonitorsBesideThePrimaryShowTheWallpaperForTheirOwnShape) {
  // Overlapping the primary monitor or one kept before: a mirror, no wallpaper.
  const Rect primary{0, 0, 400, 300};
  const std::vector<Rect> screens{
      {0, 0, 800, 600}, {400, 0, 160, 90}, {400, 0, 160, 90}, {400, 300, 120, 90}, {0, 0, 0, 0}};
  const std::vector<Rect> kept{{400, 0, 160, 90}, {400, 300, 120, 90}};
  ASSERT_EQ(SideScreenAreas(primary, screens), kept);

  ClockHarness h;
  SkinWallpaper painter;
  h.wallpaper = &painter;
  h.Picture("wall43.png", Solid(4, 3, kRed));
  h.Picture("wall169.png", Solid(16, 9, kGreen));
  h.Config("[wallpaper]\r\nimage4x3=wall43.png\r\nimage16x9=wall169.png\r\n");
  h.Config("paper", "[wallpaper]\r\nimage4x3=wall43.png\r\n");
  std::filesystem::copy_file(h.skinFolder() / "wall43.png", h.skinFolder("paper") / "wall43.png");
  Desktop& s = h.Start(400, 300);
  s.FollowScreens(primary, screens);
  ASSERT_EQ(s.monitors().size(), 3u);  // the primary first
  EXPECT_EQ(s.monitors()[1].wallpaper.width(), 160);
  EXPECT_EQ(s.monitors()[1].wallpaper.at(80, 45), kGreen);
  EXPECT_EQ(s.monitors()[2].wallpaper.at(60, 45), kRed);

  s.ApplySkin("paper");  // names no 16:9 wallpaper: the 4:3 one stands in
  EXPECT_EQ(s.monitors()[1].wallpaper.at(80, 45), kRed);
  EXPECT_EQ(s.monitors()[2].wallpaper.at(60, 45), kRed);
}

}  // namespace
}  // namespace moravel
