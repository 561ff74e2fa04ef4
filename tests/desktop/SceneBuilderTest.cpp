// Building the desktop scene from a skin, and taking it down.

#include <gtest/gtest.h>

#include <memory>

#include "DesktopTestKit.h"

namespace moravel {
namespace {

using test::DesktopHarness;
using test::Solid;

constexpr Rgba kRed{255, 0, 0, 255};

std::string Sections(std::string_view prefix, int first, int last, std::string_view body) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    text.append("[").append(prefix).append(std::to_string(i)).append("]\r\n").append(body);
  }
  return text;
}

// An analog clock that records its calls and puts a control above all.
class FakeTimeWidgets : public TimeWidgets {
 public:
  bool BuildAnalogClock(SceneContext& ctx, bool clickAction) override {
    builds.push_back(clickAction);
    if (!succeed) return false;
    clockImage = &ctx.controls.Add(ControlLayer::AnalogClock);
    clockImage->SetPicture(std::make_shared<const Bitmap>(Solid(10, 10, kRed)));
    BindClick(clockImage->handlers, ClickAction::OpenDateTimeSettings,
              ctx.menu.useDoubleClickChecked);
    return true;
  }
  void ClearAnalogClock(SceneContext& ctx) override {
    ++clears;
    ctx.controls.Remove(*clockImage);
    clockImage = nullptr;
  }
  void OnCalendarTimer(SceneContext&) override { ++calendarTicks; }
  void OnClockTimer(SceneContext&) override { ++clockTicks; }

  bool succeed = true;
  std::vector<bool> builds;
  ImageControl* clockImage = nullptr;
  int clears = 0, calendarTicks = 0, clockTicks = 0;
};

TEST(SceneBuilderTest, AGapInTheNumberingHidesWhatFollows) {
  DesktopHarness h;
  h.User("[button1]\r\n[button2]\r\n[button4]\r\n");
  h.Config("[picture1]\r\n[picture3]\r\n");
  const DesktopScene& scene = h.Start().state().scene;
  EXPECT_EQ(scene.buttonCount, 2);
  EXPECT_NE(scene.button(2).image, nullptr);
  EXPECT_EQ(scene.button(3).image, nullptr);
  EXPECT_EQ(scene.button(4).image, nullptr);
  EXPECT_EQ(scene.staticCount, 1);
  EXPECT_EQ(scene.staticPictures[1], nullptr);
}

TEST(SceneBuilderTest, SixHundredButtonsShowFiveHundred) {
  DesktopHarness h;
  h.User(Sections("button", 1, 600, "image=b_u.png\r\n"));
  h.Config(Sections("picture", 1, 600, "image=p.png\r\n"));
  h.Picture("b_u.png", Solid(2, 2, kRed));
  h.Picture("p.png", Solid(2, 2, kRed));
  const DesktopScene& scene = h.Start().state().scene;
  EXPECT_EQ(scene.buttonCount, 500);
  EXPECT_EQ(scene.staticCount, 500);
  EXPECT_EQ(scene.button(500).image->tag, 500);
  EXPECT_EQ(h.session->state().pointer.hoveredId, scene.button(500).image->id());
  EXPECT_TRUE(HasPixels(scene.button(500).upPicture));
}

TEST(SceneBuilderTest, CoordinatesFromTheFarEdgeAndTheCentre) {
  DesktopHarness h;
  h.Config(
      "[picture1]\r\nx=-1\r\ny=-40\r\n"
      "[picture2]\r\nx=10000\r\ny=-10000\r\n"
      "[picture3]\r\nx=10050\r\ny=-10050\r\n"
      "[month]\r\nx=25\r\ny=-600\r\n");
  h.Picture("pogoda.png", Solid(3, 3, kRed));
  const DesktopScene& scene = h.Start(800, 600).state().scene;
  EXPECT_EQ(scene.staticPictures[0]->rect(), (Rect{799, 560, 3, 3}));
  EXPECT_EQ(scene.staticPictures[1]->rect(), (Rect{400, 300, 3, 3}));
  EXPECT_EQ(scene.staticPictures[2]->rect(), (Rect{450, 250, 3, 3}));
  EXPECT_EQ(scene.widget(WidgetSection::Month)->rect(), (Rect{25, 0, 0, 0}));
}

// Stored values at the ends of the integer range put a picture far off the
// screen: it is neither drawn nor hit, and nothing overflows on the way.
TEST(SceneBuilderTest, CoordinatesAtTheEndsOfTheIntegerRangeLieOffTheScreen) {
  DesktopHarness h;
  h.Config(
      "[picture1]\r\nx=2147483647\r\ny=2147483647\r\n"
      "[picture2]\r\nx=9999\r\ny=-2147483648\r\n");
  h.User("[button1]\r\nimage=b_u.png\r\nx=10\r\ny=2147483647\r\n");
  h.Picture("pogoda.png", Solid(9700, 2, kRed));  // wider than the room left to INT_MAX
  h.Picture("b_u.png", Solid(30, 9700, kRed));
  Desktop& s = h.Start(800, 600);
  EXPECT_TRUE(HasPixels(s.state().scene.staticPictures[0]->picture()));
  EXPECT_GT(s.state().scene.staticPictures[0]->rect().x, 800);
  EXPECT_GT(s.state().scene.button(1).image->rect().y, 600);
  for (int x : {0, 400, 799}) {
    for (int y : {0, 15, 599}) EXPECT_EQ(s.frame().picture().at(x, y), (Rgba{0, 0, 255, 255}));
  }
  h.Move(799, 15);
  h.Press(799, 15);
  h.Release(799, 15);
  EXPECT_TRUE(h.launcher.calls.empty());
  EXPECT_EQ(s.state().pointer.hoveredId, kWallpaperControlId);
}

TEST(SceneBuilderTest, StaticPicturesDefaultToPogodaAndKeepTheirFlag) {
  DesktopHarness h;
  h.Config("[picture1]\r\nx=5\r\n[picture2]\r\nimage=missing.png\r\ntr=1\r\n");
  h.Picture("pogoda.png", Solid(4, 2, kRed));
  const DesktopScene& scene = h.Start().state().scene;
  EXPECT_EQ(scene.staticPictures[0]->rect(), (Rect{5, 0, 4, 2}));
  EXPECT_FALSE(scene.staticPictures[0]->transparent());
  EXPECT_FALSE(HasPixels(scene.staticPictures[1]->picture()));
  EXPECT_EQ(scene.staticPictures[1]->rect().width, 0) << "a missing picture takes no room";
  EXPECT_TRUE(scene.staticPictures[1]->transparent());
  EXPECT_TRUE(scene.staticPictures[0]->handlers.trackHover);
  EXPECT_EQ(scene.staticPictures[0]->handlers.binding, ClickBinding::None);
}

TEST(SceneBuilderTest, ButtonFieldsAndStatePictures) {
  DesktopHarness h;
  h.User(
      "[button1]\r\nobject=\r\nparam=abc\r\nimage=temp\\freebutton1_d.png\r\nx=7\r\ny=8\r\ntr=1\r\n"
      "[button2]\r\nobject=/bin/x\r\nparam=5\r\nimage=noseparator.png\r\n"
      "[button3]\r\nimage=temp\\only_u.png\r\n");
  h.Picture("temp/freebutton1_u.png", Solid(6, 5, kRed));
  h.Picture("temp/freebutton1_o.png", Solid(6, 5, Rgba{0, 255, 0, 255}));
  h.Picture("temp/freebutton1_d.png", Solid(6, 5, Rgba{0, 0, 255, 200}));
  h.Picture("temp/only_u.png", Solid(3, 3, kRed));
  const DesktopScene& scene = h.Start().state().scene;
  const DesktopButton& b1 = scene.button(1);
  EXPECT_EQ(b1.specialFolder, 17) << "param \"abc\" is no number";
  EXPECT_EQ(b1.arguments, "abc");
  EXPECT_EQ(b1.image->rect(), (Rect{7, 8, 6, 5}));
  EXPECT_EQ(b1.image->picture(), b1.upPicture);
  EXPECT_EQ(b1.upPicture->at(0, 0).a, 0) << "tr keys the opaque up picture";
  EXPECT_EQ(b1.downPicture->at(0, 0).a, 200) << "a picture with alpha is kept";
  EXPECT_TRUE(b1.image->handlers.buttonHandlers);
  EXPECT_EQ(b1.image->handlers.action, ClickAction::LaunchButton);
  EXPECT_EQ(b1.image->handlers.binding, ClickBinding::DoubleClick) << "dc defaults to on";

  const DesktopButton& b2 = scene.button(2);
  EXPECT_EQ(b2.target, "/bin/x");
  EXPECT_EQ(b2.arguments, "5");
  EXPECT_EQ(b2.specialFolder, 17) << "param is read as a folder only without a target";
  EXPECT_FALSE(HasPixels(b2.upPicture));
  EXPECT_TRUE(b2.image->rect().empty());

  const DesktopButton& b3 = scene.button(3);
  EXPECT_TRUE(HasPixels(b3.upPicture));
  EXPECT_FALSE(HasPixels(b3.overPicture));
  EXPECT_FALSE(HasPixels(b3.downPicture));
}

TEST(SceneBuilderTest, ClockDigitsLoadUntilTheFirstFailure) {
  DesktopHarness h;
  h.Config(
      "[clock2]\r\nimage0=d0.png\r\nimage1=d1.png\r\nimage2=d2.png\r\n"
      "image4=d4.png\r\nimage5=d5.png\r\n"
      "[clock1]\r\nimage0=d0.png\r\nimage1=d1.png\r\nimage2=d2.png\r\nimage3=d4.png\r\n");
  for (int d : {0, 1, 2, 4, 5}) h.Picture('d' + std::to_string(d) + ".png", Solid(2, 2, kRed));
  const DesktopScene& scene = h.Start().state().scene;
  const auto& clock2 = scene.clockDigitPictures[1];
  for (int d = 0; d < 10; ++d) EXPECT_EQ(HasPixels(clock2[size_t(d)]), d <= 2) << d;
  const auto& clock1 = scene.clockDigitPictures[0];
  EXPECT_TRUE(HasPixels(clock1[2]));
  EXPECT_FALSE(HasPixels(clock1[3])) << "clock1 has digits 0 to 2 only";
  EXPECT_TRUE(scene.present(WidgetSection::Clock1));
  EXPECT_FALSE(scene.present(WidgetSection::Clock3));
}

TEST(SceneBuilderTest, CalendarSectionsStorePathsAndLoadNothing) {
  DesktopHarness h;
  h.Config(
      "[month]\r\nimage1=m\\Jan.png\r\nimage12=dec.png\r\n"
      "[year3]\r\nimage7=y7.png\r\n[day1]\r\n");
  h.Picture("M/jan.png", Solid(2, 2, kRed));
  const DesktopScene& scene = h.Start().state().scene;
  std::error_code ec;  // the same file; on Windows, whose file systems ignore case, by any name
  EXPECT_TRUE(std::filesystem::equivalent(scene.monthPaths[1], h.skinFolder() / "M/jan.png", ec))
      << "found ignoring case: " << scene.monthPaths[1];
  EXPECT_EQ(scene.monthPaths[12], h.skinFolder() / "dec.png");
  EXPECT_EQ(scene.yearDigitPaths[2][7], h.skinFolder() / "y7.png");
  EXPECT_FALSE(HasPixels(scene.widget(WidgetSection::Month)->picture()));
  EXPECT_TRUE(scene.present(WidgetSection::Day1));
  EXPECT_EQ(scene.widget(WidgetSection::Day1)->handlers.action, ClickAction::OpenDateTimeSettings);
  EXPECT_FALSE(scene.present(WidgetSection::Weekday));
  EXPECT_EQ(scene.widget(WidgetSection::Weekday), nullptr);
}

TEST(SceneBuilderTest, WidgetsStackInTheirFixedOrderBelowTheButtons) {
  DesktopHarness h;
  h.Config("[year4]\r\n[clock6]\r\n[month]\r\n[clock1]\r\n");
  h.User("[button1]\r\n");
  const DesktopScene& scene = h.Start().state().scene;
  const uint64_t month = scene.widget(WidgetSection::Month)->order();
  const uint64_t clock1 = scene.widget(WidgetSection::Clock1)->order();
  const uint64_t clock6 = scene.widget(WidgetSection::Clock6)->order();
  const uint64_t year4 = scene.widget(WidgetSection::Year4)->order();
  EXPECT_LT(month, clock1);
  EXPECT_LT(clock1, clock6);
  EXPECT_LT(clock6, year4);
  EXPECT_LT(year4, scene.button(1).image->order());
}

struct TimerCase {
  const char* config;
  bool calendar, clock;
};

TEST(SceneBuilderTest, TimersRunOnlyForWhatTheSceneHas) {
  const TimerCase cases[] = {
      {"", false, false},
      {"[weekday]\r\n", true, false},
      {"[year2]\r\n", true, false},
      {"[clock5]\r\n", false, true},
      {"[analogclock]\r\n", false, true},
      {"[day2]\r\n[clock1]\r\n", true, true},
  };
  for (const TimerCase& c : cases) {
    SCOPED_TRACE(c.config);
    DesktopHarness h;
    FakeTimeWidgets widgets;
    h.timeWidgets = &widgets;
    h.Config(c.config);
    h.Start();
    EXPECT_EQ(h.timers.IsEnabled(DesktopTimer::Calendar), c.calendar);
    EXPECT_EQ(h.timers.IsEnabled(DesktopTimer::Clock), c.clock);
  }
}

TEST(SceneBuilderTest, AnalogClockIsBuiltWithItsClickActionAboveEverything) {
  DesktopHarness h;
  FakeTimeWidgets widgets;
  h.timeWidgets = &widgets;
  h.Config("[analogclock]\r\nshowseconds=1\r\n");
  h.User("[button1]\r\nimage=b_u.png\r\n");
  h.Picture("b_u.png", Solid(20, 20, Rgba{0, 255, 0, 255}));
  Desktop& s = h.Start();
  EXPECT_EQ(widgets.builds, (std::vector<bool>{true}));
  EXPECT_TRUE(s.state().scene.analogClockPresent);
  EXPECT_TRUE(s.state().scene.showSeconds);
  EXPECT_EQ(s.frame().picture().at(5, 5), kRed) << "the clock lies above button 1";
  h.Press(5, 5);
  h.Release(5, 5);
  h.DoublePress(5, 5);
  h.Release(5, 5);
  EXPECT_EQ(h.launcher.calls.size(), 1u);
  s.OnClockTimer();
  s.OnCalendarTimer();
  EXPECT_EQ(widgets.clockTicks, 1);
  EXPECT_EQ(widgets.calendarTicks, 1);
}

TEST(SceneBuilderTest, AFailedAnalogClockIsMarkedAbsent) {
  for (bool withWidgets : {true, false}) {
    DesktopHarness h;
    FakeTimeWidgets widgets;
    widgets.succeed = false;
    if (withWidgets) h.timeWidgets = &widgets;
    h.Config("[analogclock]\r\nshowseconds=1\r\n[picture1]\r\n");
    Desktop& s = h.Start();
    EXPECT_FALSE(s.state().scene.analogClockPresent);
    EXPECT_TRUE(s.state().scene.showSeconds);
    EXPECT_EQ(s.state().scene.staticCount, 1) << "the build goes on";
    EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock));
    s.Exit();
    if (withWidgets) {
      EXPECT_EQ(widgets.clears, 0) << "an absent clock is not cleared";
    }
  }
}

TEST(SceneBuilderTest, MenuItemsAreEnabledEvenForAnEmptySkin) {
  DesktopHarness h;
  const MainMenuState& menu = h.Start().menu();
  EXPECT_TRUE(menu.skinsEnabled);
  EXPECT_TRUE(menu.addButtonEnabled);
  EXPECT_TRUE(menu.changeWallpaperEnabled);
  EXPECT_TRUE(menu.moreEnabled);
  EXPECT_TRUE(h.session->state().wallpaperControl.handlers.trackHover);
}

TEST(SceneBuilderTest, ClearResetsEverything) {
  DesktopHarness h;
  FakeTimeWidgets widgets;
  h.timeWidgets = &widgets;
  h.Config("[analogclock]\r\n[month]\r\n[clock1]\r\n[picture1]\r\n");
  h.User("[button1]\r\nimage=b_u.png\r\n[button2]\r\n");
  h.Picture("b_u.png", Solid(20, 20, kRed));
  h.Picture("pogoda.png", Solid(20, 20, kRed));
  Desktop& s = h.Start();
  h.timers.switches.clear();
  s.Exit();
  const DesktopScene& scene = s.state().scene;
  ASSERT_GE(h.timers.switches.size(), 2u);
  EXPECT_FALSE(h.timers.switches[0].enabled);
  EXPECT_FALSE(h.timers.switches[1].enabled);
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Calendar));
  EXPECT_FALSE(h.timers.IsEnabled(DesktopTimer::Clock));
  EXPECT_EQ(widgets.clears, 1);
  for (int k = 1; k <= kMaxButtons; ++k) ASSERT_EQ(scene.button(k).image, nullptr) << k;
  for (ImageControl* p : scene.staticPictures) ASSERT_EQ(p, nullptr);
  for (ImageControl* w : scene.widgetImages) ASSERT_EQ(w, nullptr);
  for (bool present : scene.widgetPresent) EXPECT_FALSE(present);
  EXPECT_FALSE(scene.analogClockPresent);
  EXPECT_FALSE(scene.showSeconds);
  EXPECT_EQ(scene.lastClockHour, -123);
  EXPECT_EQ(scene.lastClockMinute, -123);
  EXPECT_EQ(scene.lastClockSecond, -123);
  EXPECT_EQ(scene.lastShownDay, 0);
  EXPECT_EQ(s.state().pointer.hoveredId, kWallpaperControlId);
  EXPECT_EQ(s.frame().picture().at(5, 5), (Rgba{0, 0, 255, 255})) << "the desktop shows again";
}

}  // namespace
}  // namespace moravel
