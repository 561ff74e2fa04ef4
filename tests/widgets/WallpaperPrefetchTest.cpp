// The wallpaper painted ahead of time is taken only when it is exactly what
// the desktop would paint, and only once.

#include <gtest/gtest.h>

#include "TimeWidgetsTestKit.h"
#include "widgets/SkinWallpaper.h"
#include "widgets/WallpaperPrefetch.h"

namespace moravel {
namespace {

TEST(WallpaperPrefetchTest, TakenOnlyForTheSameFileAndSizeAndOnlyOnce) {
  test::DesktopHarness h;  // skins/wood
  Bitmap wall = test::Solid(8, 6, Rgba{10, 20, 30, 255});
  wall.set(7, 5, Rgba{200, 100, 0, 255});
  h.Picture("wall.png", wall);
  h.Config("[wallpaper]\r\nimage4x3=wall.png\r\n");
  test::WriteText(h.programFolder() / "data.ini", "[skin]\r\ndir=wood\r\n");
  const std::filesystem::path file = h.skinFolder() / "wall.png";

  WallpaperPrefetch other(h.programFolder(), 40, 30);
  EXPECT_FALSE(other.Take(file, 41, 30)) << "another size";
  WallpaperPrefetch elsewhere(h.programFolder(), 40, 30);
  EXPECT_FALSE(elsewhere.Take(h.skinFolder() / "other.png", 40, 30)) << "another file";

  // Through the program's painter: the same picture as painting it there.
  WallpaperPrefetch prefetch(h.programFolder(), 40, 30);
  SkinWallpaper painter;
  painter.UsePrefetch(&prefetch);
  IniFile config(h.skinFolder() / "config.ini");
  Bitmap fromPrefetch = *Bitmap::Create(40, 30), painted = *Bitmap::Create(40, 30);
  ASSERT_TRUE(painter.PaintWallpaper(config, h.skinFolder(), "", fromPrefetch));
  EXPECT_EQ(painter.wallpaperName(), "wall.png");
  EXPECT_FALSE(prefetch.Take(file, 40, 30)) << "taken once";
  ASSERT_TRUE(painter.PaintWallpaper(config, h.skinFolder(), "", painted));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(fromPrefetch.at(x, y), painted.at(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace moravel
