// Switching the running desktop to another skin: what is written and opened,
// what the new scene holds, and which timers run afterwards.

#include <gtest/gtest.h>

#include "DesktopTestKit.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::FakePainter;
using test::Solid;

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

std::string DataIniSkin(const DesktopHarness& h) {
  return IniFile(h.programFolder() / "data.ini").ReadString("skin", "dir", "?");
}

TEST(ApplySkinTest, TheChoiceIsWrittenAtOnceAndTheNextStartBuildsIt) {
  DesktopHarness h("wood");
  h.User("[button1]\r\nimage=b_u.png\r\n");
  h.Picture("b_u.png", Solid(4, 4, kRed));
  h.User("paper", "[button1]\r\nimage=p_u.png\r\nx=20\r\n[button2]\r\n[button3]\r\n");
  h.Config("paper", "[picture1]\r\n");
  h.Picture("paper", "p_u.png", Solid(4, 4, kGreen));
  Desktop& s = h.Start(64, 48);
  ASSERT_EQ(s.frame().picture().at(1, 1), kRed);

  s.ApplySkin("paper");
  EXPECT_EQ(DataIniSkin(h), "paper");
  EXPECT_EQ(s.state().files.skinPath, h.skinFolder("paper") / "");
  EXPECT_EQ(s.state().files.config->path(), h.skinFolder("paper") / "config.ini");
  EXPECT_EQ(s.state().files.user->path(), h.skinFolder("paper") / "user.ini");
  EXPECT_EQ(s.state().scene.buttonCount, 3);
  EXPECT_EQ(s.state().scene.staticCount, 1);
  EXPECT_EQ(s.frame().picture().at(1, 1), kBlue) << "the old skin's button is gone";
  EXPECT_EQ(s.frame().picture().at(21, 1), kGreen);

  h.Start(64, 48);  // the next start of the program
  EXPECT_EQ(h.session->state().files.skinPath, h.skinFolder("paper") / "");
  EXPECT_EQ(h.session->state().scene.buttonCount, 3);
  EXPECT_EQ(h.session->frame().picture().at(21, 1), kGreen);
}

TEST(ApplySkinTest, DoubleClickModeIsReadAgainWithDefaultOff) {
  DesktopHarness h("wood");
  h.User("[button1]\r\n");
  h.Config("[month]\r\n");  // no [doubleclick]: start-up turns double click on
  h.User("paper", "[button1]\r\n");
  h.Config("paper", "[doubleclick]\r\ndc=1\r\n");
  Desktop& s = h.Start();
  ASSERT_TRUE(s.menu().useDoubleClickChecked);

  s.ApplySkin("wood");  // the skin in use
  EXPECT_FALSE(s.menu().useDoubleClickChecked);
  EXPECT_EQ(s.state().scene.buttonCount, 1);
  EXPECT_EQ(s.state().scene.button(1).image->handlers.binding, ClickBinding::Click);
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Month)->handlers.binding, ClickBinding::Click);
  EXPECT_FALSE(s.state().files.config->HasSection("doubleclick")) << "only read, never written";

  s.ApplySkin("paper");
  EXPECT_TRUE(s.menu().useDoubleClickChecked);
  EXPECT_EQ(s.state().scene.button(1).image->handlers.binding, ClickBinding::DoubleClick);
}

TEST(ApplySkinTest, TheWallpaperIsAskedForWithTheScreensLetter) {
  struct Case {
    int w, h;
    const char* letter;
  };
  for (const Case& c :
       {Case{125, 100, "f"}, Case{133, 100, "d"}, Case{160, 100, "s"}, Case{178, 100, "a"}}) {
    DesktopHarness h;
    FakePainter painter;
    h.wallpaper = &painter;
    Desktop& s = h.Start(c.w, c.h);
    painter.succeed = false;
    s.ApplySkin("wood");
    EXPECT_EQ(painter.defaults, (std::vector<std::string>{"", c.letter})) << c.w;
    EXPECT_EQ(s.frame().picture().at(5, 5), painter.colour) << "a failed paint keeps the old one";
  }
}

TEST(ApplySkinTest, TheTimersFollowTheNewSkin) {
  DesktopHarness h("wood");
  h.Config("[month]\r\n[clock1]\r\n");
  h.Config("paper", "[clock2]\r\n");
  Desktop& s = h.Start();
  ASSERT_TRUE(h.timers.IsEnabled(DesktopTimer::Calendar));
  const size_t before = h.timers.switches.size();
  s.ApplySkin("paper");
  const std::vector<test::FakeTimers::Switch> switches(h.timers.switches.begin() + long(before),
                                                       h.timers.switches.end());
  ASSERT_EQ(switches.size(), 3u);
  EXPECT_EQ(switches[0].timer, DesktopTimer::Calendar);
  EXPECT_FALSE(switches[0].enabled);
  EXPECT_EQ(switches[1].timer, DesktopTimer::Clock);
  EXPECT_FALSE(switches[1].enabled);
  EXPECT_EQ(switches[2].timer, DesktopTimer::Clock);
  EXPECT_TRUE(switches[2].enabled);
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(s.state().scene.present(WidgetSection::Month));
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Month), nullptr);
  EXPECT_TRUE(s.state().scene.present(WidgetSection::Clock2));
}

TEST(ApplySkinTest, AMissingSkinFolderGivesAnEmptyScene) {
  DesktopHarness h("wood");
  h.Config("[doubleclick]\r\ndc=1\r\n[picture1]\r\n[month]\r\n[clock1]\r\n");
  h.User("[button1]\r\n[button2]\r\n");
  FakePainter painter;
  h.wallpaper = &painter;
  Desktop& s = h.Start(64, 48);
  painter.succeed = false;  // nothing to load in the missing folder
  s.ApplySkin("Error!");
  EXPECT_EQ(DataIniSkin(h), "Error!");
  EXPECT_EQ(s.state().files.skinPath, h.programFolder() / "skins/Error!/");
  EXPECT_FALSE(std::filesystem::exists(h.programFolder() / "skins/Error!"));
  EXPECT_FALSE(s.menu().useDoubleClickChecked);
  const DesktopScene& scene = s.state().scene;
  EXPECT_EQ(scene.buttonCount, 0);
  EXPECT_EQ(scene.staticCount, 0);
  for (int w = 0; w < kWidgetSectionCount; ++w) EXPECT_FALSE(scene.widgetPresent[size_t(w)]);
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock));
  const Bitmap& frame = s.frame().picture();
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) ASSERT_EQ(frame.at(x, y), painter.colour) << x << y;
  }
  EXPECT_TRUE(s.menu().skinsEnabled) << "the chooser stays usable";
}

}  // namespace
}  // namespace moravel
