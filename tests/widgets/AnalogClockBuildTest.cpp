// Building the analog clock on its own controls: default names and places,
// the click action, and builds that fail without leaving anything behind.

#include <gtest/gtest.h>

#include "TimeWidgetsTestKit.h"
#include "widgets/AnalogClock.h"

namespace moravel {
namespace {

using test::HandPicture;
using test::Solid;

constexpr int kW = 800, kH = 600;

// A skin folder and a scene context over it, without a session.
class ClockOnly {
 public:
  ClockOnly() : controls_(kW, kH), composer_(controls_, kW, kH) {
    controls_.SetDirtySink(&composer_);
    files_.skinPath = folder_.path() / "";
    wallpaper_ = Solid(kW, kH, Rgba{10, 20, 30, 255});
  }

  const std::filesystem::path& skin() const { return folder_.path(); }
  void Png(std::string_view name, const Bitmap& b) { test::WritePng(skin() / name, b); }

  bool Build(std::string_view config, bool clickAction = true, bool seconds = false) {
    test::WriteText(skin() / "config.ini", config);
    files_.config = std::make_unique<IniFile>(skin() / "config.ini");
    scene_.showSeconds = seconds;
    SceneContext ctx = Context();
    return widgets.BuildAnalogClock(ctx, clickAction);
  }
  void Clear() {
    SceneContext ctx = Context();
    widgets.ClearAnalogClock(ctx);
  }
  SceneContext Context() {
    return SceneContext{files_, scene_, controls_, wallpaper_, menu, clock_, kW, kH};
  }
  // The composed desktop at (x, y).
  Rgba Screen(int x, int y) {
    composer_.Flush();
    return composer_.picture().at(x, y);
  }

  SkinTimeWidgets widgets;
  MainMenuState menu;
  const ControlStack& controls() const { return controls_; }

 private:
  test::TempFolder folder_;
  SettingsFiles files_;
  DesktopScene scene_;
  ControlStack controls_;
  FrameComposer composer_;
  Bitmap wallpaper_;
  FakeClock clock_;
};

TEST(AnalogClockBuildTest, HandPicturesDefaultToAcmAndAcsBmpAndPivotsToThePlateCentre) {
  ClockOnly c;
  c.Png("plate.png", Solid(100, 60, test::kPlateGrey));
  c.Png("h.png", HandPicture(10, test::kHourRed));
  test::WriteBmp(c.skin() / "acm.bmp", HandPicture(20, test::kMinuteGreen));
  test::WriteBmp(c.skin() / "ACS.BMP", HandPicture(30, test::kSecondBlue));
  ASSERT_TRUE(c.Build(
      "[analogclock]\r\nplate=plate.png\r\nhour=h.png\r\nHArrowCX=1\r\nHArrowCY=3\r\n"
      "MArrowCX=1\r\nMArrowCY=3\r\nSArrowCX=1\r\nSArrowCY=3\r\nScenterX=20\r\nScentery=10\r\n",
      true, true));
  const AnalogClock& clock = *c.widgets.analogClock();
  ASSERT_EQ(clock.hands().size(), 3u);
  const Bitmap& p = *clock.image().picture();
  EXPECT_EQ(clock.image().rect(), (Rect{0, 0, 100, 60}));
  // At angle 0: hour and minute from (50, 30), the second hand from (20, 10).
  EXPECT_EQ(p.at(50 + 5, 30), test::kMinuteGreen) << "the minute hand lies over the hour hand";
  EXPECT_EQ(p.at(50 + 15, 30), test::kMinuteGreen);
  EXPECT_EQ(p.at(50 + 22, 30), test::kPlateGrey);
  EXPECT_EQ(p.at(20 + 25, 10), test::kSecondBlue);
  EXPECT_EQ(p.at(20 + 32, 10), test::kPlateGrey);
  EXPECT_EQ(p.at(15, 10), test::kPlateGrey);
}

TEST(AnalogClockBuildTest, WithoutTheClickActionAClickDoesNothing) {
  for (bool doubleClick : {false, true}) {
    ClockOnly c;
    c.menu.useDoubleClickChecked = doubleClick;
    c.Png("plate.png", Solid(50, 50, test::kPlateGrey));
    c.Png("h.png", HandPicture(10, test::kHourRed));
    c.Png("m.png", HandPicture(10, test::kMinuteGreen));
    const std::string config = "[analogclock]\r\nplate=plate.png\r\nhour=h.png\r\nminute=m.png\r\n";
    ASSERT_TRUE(c.Build(config, false));
    const ControlHandlers& none = c.widgets.analogClock()->image().handlers;
    EXPECT_EQ(none.action, ClickAction::None);
    EXPECT_EQ(none.binding, ClickBinding::None);
    EXPECT_FALSE(none.trackHover);
    c.Clear();
    EXPECT_EQ(c.controls().size(), 0u);
    ASSERT_TRUE(c.Build(config, true));
    const ControlHandlers& bound = c.widgets.analogClock()->image().handlers;
    EXPECT_EQ(bound.action, ClickAction::OpenDateTimeSettings);
    EXPECT_EQ(bound.binding, doubleClick ? ClickBinding::DoubleClick : ClickBinding::Click);
    EXPECT_FALSE(bound.trackHover);
    EXPECT_EQ(c.controls().size(), 1u);
  }
}

TEST(AnalogClockBuildTest, AFailedBuildLeavesNothingOnTheScreen) {
  struct Case {
    const char* what;
    std::string config;
    bool seconds;
  };
  const std::string plate = "[analogclock]\r\nplate=plate.png\r\nx=10\r\ny=10\r\n";
  const Case cases[] = {
      {"no hour key", plate + "minute=m.png\r\n", false},
      {"hour file missing", plate + "hour=none.png\r\nminute=m.png\r\n", false},
      {"minute defaults to a missing acm.bmp", plate + "hour=h.png\r\n", false},
      {"second defaults to a missing acs.bmp", plate + "hour=h.png\r\nminute=m.png\r\n", true},
      {"hour file is not a picture", plate + "hour=junk.png\r\nminute=m.png\r\n", false},
      {"plate missing", "[analogclock]\r\nplate=none.png\r\nhour=h.png\r\nminute=m.png\r\n", false},
      {"no plate key", "[analogclock]\r\nhour=h.png\r\nminute=m.png\r\n", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    ClockOnly c;
    c.Png("plate.png", Solid(50, 50, test::kPlateGrey));
    c.Png("h.png", HandPicture(10, test::kHourRed));
    c.Png("m.png", HandPicture(10, test::kMinuteGreen));
    test::WriteText(c.skin() / "junk.png", "not a picture");
    const Rgba desktop = c.Screen(20, 20);
    EXPECT_FALSE(c.Build(k.config, true, k.seconds));
    EXPECT_EQ(c.widgets.analogClock(), nullptr);
    EXPECT_EQ(c.controls().size(), 0u);
    EXPECT_EQ(c.Screen(20, 20), desktop);
  }
}

TEST(AnalogClockBuildTest, AMissingHourKeyStopsTheAnalogClockButNotTheDigits) {
  test::ClockHarness h;
  std::string config = test::ClockHarness::AnalogClockSection(true);
  config.erase(config.find("hour=hour.png\r\n"), 15);
  h.Config(config + h.DigitSections(300, 20));
  Desktop& s = h.Start();
  EXPECT_FALSE(s.state().scene.analogClockPresent);
  EXPECT_EQ(h.widgets.analogClock(), nullptr);
  EXPECT_EQ(s.frame().picture().at(150, 150), test::PatternAt(150, 150)) << "only wallpaper";
  EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Clock));
  h.Tick(12, 34, 56);
  const DesktopScene& scene = s.state().scene;
  const int expected[6] = {1, 2, 3, 4, 5, 6};
  for (int c = 0; c < 6; ++c) {
    const ImageControl* image = scene.widget(WidgetSection(int(WidgetSection::Clock1) + c));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->picture(), scene.clockDigitPictures[size_t(c)][size_t(expected[c])]) << c;
  }
  EXPECT_EQ(s.frame().picture().at(300 + 50 + 2, 22), test::DigitColour(5, 6));
}

}  // namespace
}  // namespace moravel
