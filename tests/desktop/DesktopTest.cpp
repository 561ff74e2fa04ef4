// The start-up of the desktop: settings files, the skin list, the double-click
// mark, the wallpaper layer; and the menu commands of the session.

#include <gtest/gtest.h>

#include "DesktopTestKit.h"
#include "scene/DesktopFrame.h"
#include "settings/FileIdentity.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::FakePainter;
using test::ReadText;
using test::Solid;
using test::WriteText;
using CallKind = RecordingLauncher::Kind;

constexpr Rgba kBlue{0, 0, 255, 255};

TEST(DesktopTest, MissingDataIniIsCreatedWithWood) {
  DesktopHarness h;  // skins/wood
  h.Config("[doubleclick]\r\ndc=0\r\n");
  Desktop s(DesktopServices{h.launcher, h.clock, h.timers, h.window}, h.programFolder(), 64, 48);
  s.Start();
  EXPECT_EQ(IniFile(h.programFolder() / "data.ini").ReadString("skin", "dir", "?"), "wood");
  EXPECT_EQ(s.state().files.skinPath, h.programFolder() / "skins/wood/");
  EXPECT_FALSE(s.menu().useDoubleClickChecked) << "read from skins/wood/config.ini";
}

TEST(DesktopTest, AnEmptySkinDirIsLeftAloneAndNamesTheSkinsFolder) {
  DesktopHarness h;
  WriteText(h.programFolder() / "data.ini", "[skin]\ndir=\n");
  Desktop& s = h.Start();
  EXPECT_EQ(ReadText(h.programFolder() / "data.ini"), "[skin]\ndir=\n");
  EXPECT_EQ(s.state().files.skinPath, h.programFolder() / "skins/");
}

TEST(DesktopTest, SkinListIsRebuiltFromTheFoldersOnly) {
  DesktopHarness h("beta");
  std::filesystem::create_directories(h.programFolder() / "skins/alpha");
  std::filesystem::create_directories(h.programFolder() / "skins/gamma");
  WriteText(h.programFolder() / "skins/readme.txt", "not a skin");
  WriteText(h.programFolder() / "skins.ini",
            "[skin1]\r\ndir=old1\r\n[skin2]\r\ndir=old2\r\n[skin3]\r\ndir=old3\r\n"
            "[skin4]\r\ndir=old4\r\n[skin5]\r\ndir=old5\r\n");
  h.Start();
  IniFile skins(h.programFolder() / "skins.ini");
  EXPECT_EQ(skins.ReadString("skin1", "dir", ""), "alpha");
  EXPECT_EQ(skins.ReadString("skin2", "dir", ""), "beta");
  EXPECT_EQ(skins.ReadString("skin3", "dir", ""), "gamma");
  EXPECT_FALSE(skins.HasSection("skin4"));
  EXPECT_EQ(skins.ReadString("skin5", "dir", ""), "old5") << "kept, but never counted";
  EXPECT_EQ(ReadText(h.programFolder() / "skins.ini").find("readme"), std::string::npos);

  // The next start finds the list as it is: the file is not written again.
  const auto inode = [&] { return IdentifyFile(h.programFolder() / "skins.ini").value().file; };
  const auto before = inode();
  Desktop again(DesktopServices{h.launcher, h.clock, h.timers, h.window}, h.programFolder(), 64,
                48);
  again.Start();
  EXPECT_EQ(inode(), before);
}

TEST(DesktopTest, NoSkinsFolderErasesTheFirstEntry) {
  test::TempFolder folder;
  WriteText(folder.path() / "skins.ini", "[skin1]\r\ndir=x\r\n[skin2]\r\ndir=y\r\n");
  DesktopHarness h;
  Desktop s(DesktopServices{h.launcher, h.clock, h.timers, h.window}, folder.path(), 64, 48);
  s.Start();
  IniFile skins(folder.path() / "skins.ini");
  EXPECT_FALSE(skins.HasSection("skin1"));
  EXPECT_TRUE(skins.HasSection("skin2"));
  EXPECT_TRUE(s.menu().useDoubleClickChecked) << "no config.ini: double click is on";
  EXPECT_EQ(s.state().scene.buttonCount, 0);
}

TEST(DesktopTest, StartShowsAWholePureBlueFrameWithoutWallpaper) {
  DesktopHarness h;
  Desktop& s = h.Start(64, 48);
  EXPECT_EQ(s.state().wallpaperControl.rect(), (Rect{0, 0, 64, 48}));
  EXPECT_EQ(s.state().wallpaperControl.tag, 0);
  EXPECT_EQ(h.window.frameChanges, 1);
  EXPECT_EQ(s.frame().TakeDirty(), (std::vector<Rect>{{0, 0, 64, 48}}));
  EXPECT_EQ(s.frame().picture().at(63, 47), kBlue);
  EXPECT_FALSE(s.MayClose());
  EXPECT_EQ(s.state().pointer.selectedButton, 0);
  EXPECT_EQ(s.state().pointer.hoveredId, kWallpaperControlId);
}

TEST(DesktopTest, WallpaperIsPaintedBeforeTheSceneWithAnEmptyDefault) {
  DesktopHarness h;
  FakePainter painter;
  h.wallpaper = &painter;
  h.User("[button1]\r\nimage=b_u.png\r\n");
  h.Picture("b_u.png", Solid(4, 4, Rgba{200, 0, 0, 255}));
  Desktop& s = h.Start(64, 48);
  EXPECT_EQ(painter.defaults, (std::vector<std::string>{""}));
  EXPECT_EQ(s.frame().picture().at(10, 10), (Rgba{1, 2, 3, 255}));
  EXPECT_EQ(s.frame().picture().at(0, 0), (Rgba{200, 0, 0, 255}));
}

TEST(DesktopTest, AFailedWallpaperKeepsTheBlueFill) {
  DesktopHarness h;
  FakePainter painter;
  painter.succeed = false;
  h.wallpaper = &painter;
  EXPECT_EQ(h.Start(64, 48).frame().picture().at(10, 10), kBlue);
}

TEST(DesktopTest, AWallpaperThatThrowsStillLetsTheSceneBuild) {
  DesktopHarness h;
  h.Config("[picture1]\r\nimage=p.png\r\n");
  h.Picture("p.png", Solid(4, 4, Rgba{9, 9, 9, 255}));
  FakePainter painter;
  painter.throws = true;
  h.wallpaper = &painter;
  Desktop& s = h.Start(64, 48);
  EXPECT_EQ(s.frame().picture().at(10, 10), kBlue);
  EXPECT_EQ(s.frame().picture().at(1, 1), (Rgba{9, 9, 9, 255}));
}

TEST(DesktopTest, ToggleDoubleClickWritesTheMarkBackAndForth) {
  DesktopHarness h;
  h.Config("; the skin's own comment\r\n[doubleclick]\r\ndc=1\r\n");
  h.User("[button1]\r\n[button2]\r\n[button3]\r\n");
  Desktop& s = h.Start();
  const std::string before = ReadText(h.skinFolder() / "config.ini");
  s.ToggleDoubleClick();
  EXPECT_FALSE(IniFile(h.skinFolder() / "config.ini").ReadFlag("doubleclick", "dc", true));
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(s.state().scene.button(k).image->handlers.binding, ClickBinding::Click) << k;
  }
  s.ToggleDoubleClick();
  EXPECT_EQ(ReadText(h.skinFolder() / "config.ini"), before);
  EXPECT_EQ(s.state().scene.button(2).image->handlers.binding, ClickBinding::DoubleClick);
}

TEST(DesktopTest, DesktopFilesOpenTheDesktopFolder) {
  DesktopHarness h;
  h.Start().OpenDesktopFiles();
  ASSERT_EQ(h.launcher.calls.size(), 1u);
  EXPECT_EQ(h.launcher.calls[0].kind, CallKind::SpecialFolder);
  EXPECT_EQ(h.launcher.calls[0].shellNumber, 0);
}

TEST(DesktopTest, ExitClearsThenLetsTheWindowClose) {
  DesktopHarness h;
  h.Config("[month]\r\n");
  h.User("[button1]\r\n");
  Desktop& s = h.Start();
  EXPECT_EQ(h.window.closes, 0);
  s.Exit();
  EXPECT_TRUE(s.MayClose());
  EXPECT_EQ(h.window.closes, 1);
  EXPECT_EQ(s.state().scene.button(1).image, nullptr);
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
}

// A skin made on Windows: config.ini in Windows-1251 with Cyrillic file
// names, "\" as separator, and names whose letter case differs from the disk.
TEST(DesktopTest, WindowsSkinLoadsItsPictures) {
  DesktopHarness h("winskin");
  std::filesystem::copy(std::filesystem::path(MORAVEL_TEST_DATA) / "skins/winskin", h.skinFolder(),
                        std::filesystem::copy_options::recursive);
  Desktop& s = h.Start(800, 600);
  const DesktopScene& scene = s.state().scene;
  EXPECT_FALSE(s.menu().useDoubleClickChecked);
  ASSERT_EQ(scene.staticCount, 1);
  ASSERT_TRUE(HasPixels(scene.staticPictures[0]->picture()));
  EXPECT_EQ(scene.staticPictures[0]->rect(), (Rect{700, 300, 4, 4}));
  ASSERT_EQ(scene.buttonCount, 1);
  const DesktopButton& b = scene.button(1);
  EXPECT_EQ(b.target, "C:\\Program Files\\Игра\\game.exe");
  EXPECT_EQ(b.arguments, "-полный");
  EXPECT_TRUE(HasPixels(b.upPicture));
  EXPECT_TRUE(HasPixels(b.overPicture));
  EXPECT_TRUE(HasPixels(b.downPicture));
  EXPECT_NE(b.upPicture->at(0, 0), b.overPicture->at(0, 0));
  EXPECT_TRUE(HasPixels(scene.clockDigitPictures[1][0]));
  EXPECT_TRUE(std::filesystem::exists(scene.monthPaths[1]));
}

}  // namespace
}  // namespace moravel
