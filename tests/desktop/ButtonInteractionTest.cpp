// The desktop under the pointer: state pictures, launching, menus.

#include <gtest/gtest.h>

#include <memory>

#include "DesktopTestKit.h"
#include "scene/DesktopFrame.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::FakeWindow;
using test::Solid;
using Call = RecordingLauncher::Call;
using CallKind = RecordingLauncher::Kind;

// Button k lies at (100 * k, 100), 40 x 40, with pictures b<k>_u/_o/_d.png.
// Button 1 opens a program with arguments, button 2 the trash (10), button 3
// has no param (the computer, 17). A static picture and a month picture lie
// below them; with `doubleClick` the skin launches on a double click.
void WriteSkin(DesktopHarness& h, bool doubleClick) {
  h.Config(std::string("[doubleclick]\r\ndc=") + (doubleClick ? "1" : "0") +
           "\r\n[picture1]\r\nx=100\r\ny=300\r\nimage=static.png\r\n"
           "[month]\r\nx=300\r\ny=300\r\nimage1=jan.png\r\n");
  h.User(
      "[button1]\r\nobject=/usr/bin/app\r\nparam=-x --y\r\nimage=b1_u.png\r\nx=100\r\ny=100\r\n"
      "[button2]\r\nobject=\r\nparam=10\r\nimage=b2_o.png\r\nx=200\r\ny=100\r\n"
      "[button3]\r\nimage=b3_d.png\r\nx=300\r\ny=100\r\n");
  for (int k = 1; k <= 3; ++k) {
    const uint8_t v = uint8_t(k * 60);
    h.Picture('b' + std::to_string(k) + "_u.png", Solid(40, 40, Rgba{v, 0, 0, 255}));
    h.Picture('b' + std::to_string(k) + "_o.png", Solid(40, 40, Rgba{0, v, 0, 255}));
    h.Picture('b' + std::to_string(k) + "_d.png", Solid(40, 40, Rgba{0, 0, v, 128}));
  }
  h.Picture("static.png", Solid(50, 50, Rgba{9, 9, 9, 255}));
}

enum class Shown { Up, Over, Down };

Shown ShownOn(const Desktop& s, int k) {
  const DesktopButton& b = s.state().scene.button(k);
  const Picture& p = b.image->picture();
  if (p == b.upPicture) return Shown::Up;
  if (p == b.overPicture) return Shown::Over;
  EXPECT_EQ(p, b.downPicture);
  return Shown::Down;
}

const char* Name(Shown s) {
  return s == Shown::Up ? "up" : s == Shown::Over ? "over" : "down";
}

class ButtonInteractionTest : public ::testing::Test {
 protected:
  Desktop& Start(bool doubleClick) {
    WriteSkin(h, doubleClick);
    return h.Start();
  }
  size_t Launches() const { return h.launcher.calls.size(); }
  DesktopHarness h;
};

enum class Act { Press, ReleaseInside, ReleaseOutside, DoublePress };

struct Step {
  Act act;
  Shown shown;
  bool justLaunchedAfter;
  size_t launchesAfter;
};

void RunSteps(DesktopHarness& h, const std::vector<Step>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    switch (s.act) {
      case Act::Press:
        h.Press(110, 110);
        break;
      case Act::DoublePress:
        h.DoublePress(110, 110);
        break;
      case Act::ReleaseInside:
        h.Release(139, 139);
        break;
      case Act::ReleaseOutside:
        h.Release(150, 150);
        break;
    }
    SCOPED_TRACE("step " + std::to_string(i + 1));
    EXPECT_STREQ(Name(ShownOn(*h.session, 1)), Name(s.shown));
    EXPECT_EQ(h.session->state().pointer.justLaunched, s.justLaunchedAfter);
    EXPECT_EQ(h.launcher.calls.size(), s.launchesAfter);
  }
}

TEST_F(ButtonInteractionTest, SingleClickSequence) {
  Start(false);
  h.Move(110, 110);
  RunSteps(h, {
                  {Act::Press, Shown::Down, false, 0},
                  {Act::ReleaseInside, Shown::Up, true, 1},    // opened, then up
                  {Act::Press, Shown::Over, false, 1},         // just launched: over, not down
                  {Act::ReleaseOutside, Shown::Up, false, 1},  // nothing opened
                  {Act::Press, Shown::Down, false, 1},
                  {Act::ReleaseInside, Shown::Up, true, 2},
              });
  EXPECT_EQ(h.launcher.calls[0], (Call{CallKind::Target, "/usr/bin/app", "-x --y", -1}));
}

TEST_F(ButtonInteractionTest, DoubleClickSequence) {
  Start(true);
  h.Move(110, 110);
  RunSteps(h, {
                  {Act::Press, Shown::Down, false, 0},
                  {Act::ReleaseInside, Shown::Up, false, 0},
                  {Act::DoublePress, Shown::Over, false, 1},  // opened; down replaced by over
                  {Act::ReleaseInside, Shown::Up, false, 1},
              });
}

TEST_F(ButtonInteractionTest, DoubleClickInSingleClickModeOpensOnce) {
  Start(false);
  RunSteps(h, {
                  {Act::Press, Shown::Down, false, 0},
                  {Act::ReleaseInside, Shown::Up, true, 1},
                  {Act::DoublePress, Shown::Over, false, 1},
                  {Act::ReleaseInside, Shown::Up, false, 1},
              });
}

TEST_F(ButtonInteractionTest, PressDragOffAndReleaseElsewhereOpensNothing) {
  Start(false);
  h.Move(110, 110);
  h.Press(110, 110);
  h.Move(400, 400);
  EXPECT_EQ(ShownOn(*h.session, 1), Shown::Down) << "the pressed button keeps the pointer";
  EXPECT_EQ(ShownOn(*h.session, 3), Shown::Up);
  h.Release(400, 400);
  EXPECT_EQ(ShownOn(*h.session, 1), Shown::Up);
  EXPECT_EQ(Launches(), 0u);
}

TEST_F(ButtonInteractionTest, OverPictureFollowsThePointer) {
  Desktop& s = Start(false);
  EXPECT_EQ(s.state().pointer.hoveredId, s.state().scene.button(3).image->id())
      << "the build hovers the last button";
  h.Move(110, 110);
  EXPECT_EQ(ShownOn(s, 1), Shown::Over);
  h.Move(210, 110);
  EXPECT_EQ(ShownOn(s, 1), Shown::Up);
  EXPECT_EQ(ShownOn(s, 2), Shown::Over);
  h.Move(120, 320);  // the static picture
  EXPECT_EQ(ShownOn(s, 2), Shown::Up);
  h.Move(210, 110);
  h.session->state()
      .scene.widget(WidgetSection::Month)
      ->SetPicture(std::make_shared<const Bitmap>(Solid(30, 30, Rgba{1, 1, 1, 255})));
  h.Move(310, 310);  // the month picture
  EXPECT_EQ(ShownOn(s, 2), Shown::Up);
  h.Move(210, 110);
  h.Move(600, 500);  // the wallpaper
  EXPECT_EQ(ShownOn(s, 2), Shown::Up);
  EXPECT_EQ(s.state().pointer.hoveredId, kWallpaperControlId);
}

TEST_F(ButtonInteractionTest, HoverRepaintsOnlyTheButtonsThatChanged) {
  Desktop& s = Start(false);
  h.Move(600, 500);
  s.frame().TakeDirty();
  const int changes = h.window.frameChanges;
  h.Move(110, 110);
  EXPECT_EQ(h.window.frameChanges, changes + 1);
  EXPECT_EQ(s.frame().TakeDirty(), (std::vector<Rect>{{100, 100, 40, 40}}));
  EXPECT_EQ(s.frame().picture().at(105, 105), (Rgba{0, 60, 0, 255}));
  h.Move(115, 115);
  EXPECT_EQ(h.window.frameChanges, changes + 1) << "a move that changes nothing draws nothing";
}

TEST_F(ButtonInteractionTest, ReleaseHandsTheHoverBackToTheWallpaper) {
  Desktop& s = Start(false);
  h.Press(110, 110, MouseButton::Middle);
  h.Release(110, 110, MouseButton::Middle);
  EXPECT_EQ(s.state().pointer.hoveredId, kWallpaperControlId);
  EXPECT_EQ(ShownOn(s, 1), Shown::Up);
  h.Move(111, 111);
  EXPECT_EQ(ShownOn(s, 1), Shown::Over);
}

TEST_F(ButtonInteractionTest, RightClickSelectsTheButtonAndOpensItsMenu) {
  Desktop& s = Start(false);
  h.Press(210, 110, MouseButton::Right);
  EXPECT_EQ(s.state().pointer.selectedButton, 2);
  EXPECT_TRUE(h.window.buttonMenus.empty());
  h.Release(212, 113, MouseButton::Right);
  EXPECT_EQ(h.window.buttonMenus, (std::vector<FakeWindow::Menu>{{212, 113}}));
  EXPECT_EQ(ShownOn(s, 2), Shown::Up);
  EXPECT_EQ(Launches(), 0u);

  h.Press(600, 500, MouseButton::Right);
  h.Release(600, 500, MouseButton::Right);
  EXPECT_EQ(s.state().pointer.selectedButton, 2) << "the wallpaper selects nothing";
  EXPECT_EQ(h.window.buttonMenus.size(), 1u);
  EXPECT_TRUE(h.window.mainMenus.empty()) << "the tray has the main menu";
}

TEST_F(ButtonInteractionTest, WithoutATrayTheWallpaperOpensTheMainMenu) {
  Desktop& s = Start(false);
  s.SetNoTray(true);
  h.Press(310, 110, MouseButton::Right);
  h.Release(310, 110, MouseButton::Right);
  h.Press(600, 500, MouseButton::Right);
  h.Release(601, 502, MouseButton::Right);
  EXPECT_EQ(h.window.mainMenus, (std::vector<FakeWindow::Menu>{{601, 502}}));
  EXPECT_EQ(h.window.buttonMenus.size(), 1u);
  EXPECT_EQ(s.state().pointer.selectedButton, 3);
  h.Press(120, 320, MouseButton::Right);  // a static picture is no wallpaper
  h.Release(120, 320, MouseButton::Right);
  EXPECT_EQ(h.window.mainMenus.size(), 1u);
}

TEST_F(ButtonInteractionTest, MiddleClickSelectsAndOpensNothing) {
  Desktop& s = Start(false);
  h.Press(310, 110, MouseButton::Middle);
  h.Release(310, 110, MouseButton::Middle);
  EXPECT_EQ(s.state().pointer.selectedButton, 3);
  EXPECT_EQ(Launches(), 0u);
  EXPECT_TRUE(h.window.buttonMenus.empty());
}

TEST_F(ButtonInteractionTest, SpecialFoldersAndShortcutTargets) {
  Start(false);
  for (int x : {110, 210, 310}) {
    h.Press(x, 110);
    h.Release(x, 110);
  }
  EXPECT_EQ(h.launcher.calls, (std::vector<Call>{{CallKind::Target, "/usr/bin/app", "-x --y", -1},
                                                 {CallKind::SpecialFolder, "", "", 10},
                                                 {CallKind::SpecialFolder, "", "", 17}}));
}

TEST_F(ButtonInteractionTest, ClockAndCalendarPicturesOpenTheDateAndTimeSettings) {
  Desktop& s = Start(false);
  s.state()
      .scene.widget(WidgetSection::Month)
      ->SetPicture(std::make_shared<const Bitmap>(Solid(30, 30, Rgba{1, 1, 1, 255})));
  h.Press(310, 310);
  h.Release(310, 310);
  h.Press(120, 320);  // static picture
  h.Release(120, 320);
  h.Press(600, 500);  // wallpaper
  h.Release(600, 500);
  EXPECT_EQ(h.launcher.calls, (std::vector<Call>{{CallKind::DateTimeSettings, "", "", -1}}));
}

TEST_F(ButtonInteractionTest, InDoubleClickModeWidgetsNeedADoubleClickToo) {
  Desktop& s = Start(true);
  s.state()
      .scene.widget(WidgetSection::Month)
      ->SetPicture(std::make_shared<const Bitmap>(Solid(30, 30, Rgba{1, 1, 1, 255})));
  h.Press(310, 310);
  h.Release(310, 310);
  EXPECT_EQ(Launches(), 0u);
  h.DoublePress(310, 310);
  h.Release(310, 310);
  EXPECT_EQ(h.launcher.calls, (std::vector<Call>{{CallKind::DateTimeSettings, "", "", -1}}));
}

TEST_F(ButtonInteractionTest, ToggleRebindsTheButtonsOnly) {
  Desktop& s = Start(true);
  s.state()
      .scene.widget(WidgetSection::Month)
      ->SetPicture(std::make_shared<const Bitmap>(Solid(30, 30, Rgba{1, 1, 1, 255})));
  s.ToggleDoubleClick();
  EXPECT_FALSE(s.menu().useDoubleClickChecked);
  h.Press(110, 110);
  h.Release(110, 110);
  h.Press(310, 310);
  h.Release(310, 310);
  EXPECT_EQ(h.launcher.calls, (std::vector<Call>{{CallKind::Target, "/usr/bin/app", "-x --y", -1}}))
      << "the month picture keeps the double click of the last build";
  s.ToggleDoubleClick();
  h.Press(110, 110);
  h.Release(110, 110);
  EXPECT_EQ(Launches(), 1u);
}

}  // namespace
}  // namespace moravel
