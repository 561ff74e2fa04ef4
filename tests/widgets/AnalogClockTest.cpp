// The analog clock: building it over the wallpaper, its hands and what a
// tick of the clock timer redraws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "TimeWidgetsTestKit.h"
#include "widgets/AnalogClock.h"

namespace moravel {
namespace {

using test::ClockHarness;
using test::Solid;

const AnalogClock& ClockOf(const ClockHarness& h) {
  const AnalogClock* clock = h.widgets.analogClock();
  if (!clock) throw std::runtime_error("no analog clock");
  return *clock;
}

Rgba ClockPixel(const ClockHarness& h, int x, int y) {
  return ClockOf(h).image().picture()->at(x, y);
}

// The plate pixel `radius` pixels from the centre towards `turns` of a full
// turn clockwise from 12 o'clock.
Rgba AlongDial(const ClockHarness& h, double turns, double radius) {
  const double a = 2 * std::numbers::pi * turns;
  return ClockPixel(h, int(std::lround(50 + radius * std::sin(a))),
                    int(std::lround(50 - radius * std::cos(a))));
}

TEST(AnalogClockTest, BaseIsTheWallpaperUnderThePlateWithThePlateBlendedOverIt) {
  ClockHarness h;
  // Transparent top-left corner, a half-transparent white band, opaque grey elsewhere.
  Bitmap plate = Solid(test::kPlateSize, test::kPlateSize, test::kPlateGrey);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) plate.set(x, y, Rgba{9, 9, 9, 0});
  }
  for (int x = 0; x < test::kPlateSize; ++x) plate.set(x, 90, Rgba{255, 255, 255, 128});
  std::filesystem::remove(h.skinFolder() / "plate.png");
  h.Picture("PLATE.PNG", plate);
  // 800 - 150 = 650 from the left; the centre (300) + 20 from the top; the
  // plate is named in another letter case than on the disk.
  h.Config(ClockHarness::AnalogClockSection(true, -150, 10020));
  Desktop& s = h.Start();
  ASSERT_TRUE(s.state().scene.analogClockPresent);
  const AnalogClock& clock = ClockOf(h);
  EXPECT_EQ(clock.image().rect(), (Rect{650, 320, 101, 101}));
  EXPECT_FALSE(clock.image().handlers.trackHover);
  const Bitmap& base = clock.base();
  EXPECT_EQ(base.at(3, 4), test::PatternAt(653, 324));
  EXPECT_EQ(base.at(9, 9), test::PatternAt(659, 329));
  EXPECT_EQ(base.at(10, 10), test::kPlateGrey);
  EXPECT_EQ(base.at(30, 70), test::kPlateGrey);
  const Rgba under = test::PatternAt(650 + 30, 320 + 90), band = base.at(30, 90);
  EXPECT_NEAR(band.r, (under.r + 255) / 2, 2);
  EXPECT_NEAR(band.g, (under.g + 255) / 2, 2);
  EXPECT_NEAR(band.b, (under.b + 255) / 2, 2);
  EXPECT_EQ(band.a, 255);
  // On screen, above the wallpaper.
  EXPECT_EQ(s.frame().picture().at(653, 324), test::PatternAt(653, 324));
  EXPECT_EQ(s.frame().picture().at(680, 340), test::kPlateGrey);
}

TEST(AnalogClockTest, HandsPointRightUntilTheFirstTick) {
  ClockHarness h;
  h.Config(ClockHarness::AnalogClockSection(true));
  h.Start();
  const AnalogClock& clock = ClockOf(h);
  ASSERT_EQ(clock.hands().size(), 3u);
  for (const RotatingLayer& hand : clock.hands()) EXPECT_EQ(hand.angle(), 0.0f);
  EXPECT_EQ(ClockPixel(h, 50 + 40, 50), test::kSecondBlue) << "the second hand lies on top";
  EXPECT_EQ(ClockPixel(h, 50 + 48, 50), test::kPlateGrey) << "past the longest tip";
  EXPECT_EQ(ClockPixel(h, 50, 50 - 20), test::kPlateGrey);
  EXPECT_EQ(ClockPixel(h, 50 - 20, 50), test::kPlateGrey);
}

struct DialCase {
  int h, m, s;
  float hour, minute, second;
};

TEST(AnalogClockTest, AnglesAndHandTipsAtKnownTimes) {
  const DialCase cases[] = {
      {0, 0, 0, 90.0f, 90.0f, 90.0f},
      {3, 0, 0, 0.0f, 90.0f, 90.0f},
      {6, 30, 0, -105.0f, -90.0f, 90.0f},
      {15, 45, 30, -382.75f, -183.0f, -90.0f},
  };
  for (const DialCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.h) + ":" + std::to_string(c.m) + ":" + std::to_string(c.s));
    for (bool seconds : {false, true}) {
      ClockHarness h;
      h.Config(ClockHarness::AnalogClockSection(seconds));
      h.Start();
      h.Tick(c.h, c.m, c.s);
      const AnalogClock& clock = ClockOf(h);
      ASSERT_EQ(clock.hands().size(), seconds ? 3u : 2u);
      EXPECT_EQ(clock.hands()[0].angle(), c.hour);
      EXPECT_EQ(clock.hands()[1].angle(), c.minute);
      if (seconds) {
        EXPECT_EQ(clock.hands()[2].angle(), c.second);
      }

      // Where a clock face shows the time, independently of the angles above.
      const double hourTurns = (c.h % 12 + c.m / 60.0 + c.s / 3600.0) / 12;
      const double minuteTurns = (c.m + c.s / 60.0) / 60;
      const double secondTurns = c.s / 60.0;
      if (seconds) {
        EXPECT_EQ(AlongDial(h, secondTurns, test::kSecondLength - 4), test::kSecondBlue);
        EXPECT_EQ(AlongDial(h, secondTurns, test::kSecondLength + 3), test::kPlateGrey);
      }
      const bool secondCoversMinute = seconds && std::abs(secondTurns - minuteTurns) < 0.02;
      if (!secondCoversMinute) {
        EXPECT_EQ(AlongDial(h, minuteTurns, test::kMinuteLength - 4), test::kMinuteGreen);
        if (!seconds) {
          EXPECT_EQ(AlongDial(h, minuteTurns, test::kMinuteLength + 3), test::kPlateGrey);
        }
      }
      const bool hourCovered = std::abs(hourTurns - minuteTurns) < 0.02 ||
                               (seconds && std::abs(hourTurns - secondTurns) < 0.02);
      if (!hourCovered) {
        EXPECT_EQ(AlongDial(h, hourTurns, test::kHourLength - 4), test::kHourRed);
        EXPECT_EQ(AlongDial(h, hourTurns, test::kHourLength + 3), test::kPlateGrey);
      }
      EXPECT_EQ(AlongDial(h, hourTurns + 0.5, 12), test::kPlateGrey) << "no hand points back";
    }
  }
}

TEST(AnalogClockTest, AHandTurnsAgainOnlyOnceItsFarthestPixelMovesAQuarterPixel) {
  ClockHarness h;
  h.Config(ClockHarness::AnalogClockSection(true));
  h.Start();
  h.Tick(3, 0, 0);
  h.Tick(3, 0, 1);
  const AnalogClock& clock = ClockOf(h);
  EXPECT_EQ(clock.hands()[0].angle(), 0.0f);  // 1/120 degree moves no pixel visibly
  EXPECT_EQ(clock.hands()[2].angle(), 84.0f);
  h.Tick(3, 2, 0);
  EXPECT_EQ(clock.hands()[0].angle(), -1.0f);
}

TEST(AnalogClockTest, AtScaleTwoAHandTurnsAboutTheMiddleOfItsPivotsBlock) {
  ClockHarness h;
  h.Config(ClockHarness::AnalogClockSection(false));
  h.Start(800, 600, 2);
  h.Tick(6, 0, 0);  // the hour hand points down from the plate's centre, (100.5, 100.5)
  const int row = 130;
  for (int x = 98; x <= 103; ++x) EXPECT_EQ(ClockPixel(h, x, row), test::kHourRed) << x;
  EXPECT_EQ(ClockPixel(h, 97, row), test::kPlateGrey);
  EXPECT_EQ(ClockPixel(h, 104, row), test::kPlateGrey);
}

TEST(AnalogClockTest, WithoutShowSecondsThereIsNoSecondHandButTheSecondsStillCount) {
  ClockHarness h;
  h.Config(ClockHarness::AnalogClockSection(false));
  h.Start();
  h.Tick(15, 45, 30);
  const AnalogClock& clock = ClockOf(h);
  ASSERT_EQ(clock.hands().size(), 2u);
  EXPECT_EQ(clock.hands()[0].angle(), -382.75f);
  EXPECT_EQ(clock.hands()[1].angle(), -183.0f);
  const Bitmap& picture = *clock.image().picture();
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Rgba p = picture.at(x, y);
      ASSERT_FALSE(p.b > 150 && p.r < 100 && p.g < 100) << "blue at " << x << "," << y;
    }
  }
}

TEST(AnalogClockTest, TheTopLeftColourIsKeyedOutInsideTheHandToo) {
  ClockHarness h;
  Bitmap minute = test::HandPicture(test::kMinuteLength, test::kMinuteGreen);
  minute.set(30, 3, test::kKeyMagenta);       // the key colour inside the hand
  minute.set(32, 3, Rgba{255, 0, 254, 255});  // one step off the key
  minute.set(33, 3, Rgba{255, 0, 255, 254});  // the key colour, not quite opaque
  h.Picture("acm.png", minute);
  h.Config(ClockHarness::AnalogClockSection(false));
  h.Start();
  // At angle 0 the minute hand lies along row 50 from the pivot at (50, 50),
  // beyond the end of the hour hand; hand column x lands on plate column 49 + x.
  EXPECT_EQ(ClockPixel(h, 49 + 29, 50), test::kMinuteGreen);
  EXPECT_EQ(ClockPixel(h, 49 + 30, 50), test::kPlateGrey);
  EXPECT_EQ(ClockPixel(h, 49 + 32, 50), (Rgba{255, 0, 254, 255}));
  const Rgba nearlyOpaque = ClockPixel(h, 49 + 33, 50);
  EXPECT_GE(nearlyOpaque.r, 254);
  EXPECT_LE(nearlyOpaque.g, 1);
  EXPECT_GE(nearlyOpaque.b, 254);
  EXPECT_EQ(ClockPixel(h, 49 + 36, 50), test::kPlateGrey) << "the background is keyed";
}

TEST(AnalogClockTest, TheOutermostPixelsOfAHandAreNeverDrawn) {
  ClockHarness h;
  // Green to its very edges; only the top-left pixel has the key colour.
  Bitmap minute = Solid(test::kMinuteLength + 2, 7, test::kMinuteGreen);
  minute.set(0, 0, test::kKeyMagenta);
  h.Picture("acm.png", minute);
  h.Config(ClockHarness::AnalogClockSection(false));
  h.Start();
  // Angle 0, pivot (1, 3) at (50, 50): hand pixel (x, y) lies on (49 + x, 47 + y).
  const int last = test::kMinuteLength + 1;
  EXPECT_EQ(ClockPixel(h, 49 + last - 1, 50), test::kMinuteGreen);
  EXPECT_EQ(ClockPixel(h, 49 + last, 50), test::kPlateGrey) << "right edge";
  EXPECT_EQ(ClockPixel(h, 49 + 30, 48), test::kMinuteGreen);
  EXPECT_EQ(ClockPixel(h, 49 + 30, 47), test::kPlateGrey) << "top edge";
  EXPECT_EQ(ClockPixel(h, 49 + 30, 52), test::kMinuteGreen);
  EXPECT_EQ(ClockPixel(h, 49 + 30, 53), test::kPlateGrey) << "bottom edge";
  EXPECT_EQ(ClockPixel(h, 49 + 1, 48), test::kMinuteGreen);
  EXPECT_EQ(ClockPixel(h, 49, 48), test::kPlateGrey) << "left edge";
}

TEST(AnalogClockTest, ATickRedrawsTheClockAndTheChangedDigitsOnlyOncePerSecond) {
  ClockHarness h;
  h.Config(ClockHarness::AnalogClockSection(true) + h.DigitSections(300, 20));
  Desktop& s = h.Start();
  s.frame().TakeDirty();
  h.Tick(10, 0, 0);
  s.frame().TakeDirty();
  const Rect clockRect = ClockOf(h).image().rect();
  const Rect seconds = s.state().scene.widget(WidgetSection::Clock6)->rect();

  const Bitmap before = *ClockOf(h).image().picture();
  const int framesBefore = h.window.frameChanges;
  h.Tick(10, 0, 1);
  // The seconds' digit, and a rectangle a hand (those that cross joined):
  // together less than the clock.
  const std::vector<Rect> dirty = s.frame().TakeDirty();
  ASSERT_GE(dirty.size(), 2u);
  EXPECT_EQ(std::count(dirty.begin(), dirty.end(), seconds), 1);
  long long handArea = 0;
  for (const Rect& r : dirty) {
    if (r == seconds) continue;
    EXPECT_EQ(Intersect(r, clockRect), r);
    handArea += (long long)r.width * r.height;
  }
  EXPECT_LT(handArea, (long long)clockRect.width * clockRect.height);
  EXPECT_EQ(h.window.frameChanges, framesBefore + 1);
  EXPECT_FALSE(*ClockOf(h).image().picture() == before) << "the second hand moved";

  h.Tick(10, 0, 1);
  EXPECT_TRUE(s.frame().TakeDirty().empty()) << "the same second draws nothing";
  EXPECT_EQ(h.window.frameChanges, framesBefore + 1);
  EXPECT_EQ(ClockOf(h).hands()[2].angle(), 84.0f);

  // Only the hands' parts are drawn again: the picture matches a fresh drawing
  // of all hands over the base, tick after tick.
  for (int sec = 2; sec < 70; sec += 7) {
    h.Tick(10, sec / 60, sec % 60);
    Bitmap fresh = ClockOf(h).base();
    for (const RotatingLayer& hand : ClockOf(h).hands()) hand.Draw(fresh);
    ASSERT_TRUE(*ClockOf(h).image().picture() == fresh) << sec;
    // The frame, kept up to date by the changed rectangles only, shows it all.
    s.frame().TakeDirty();
    for (int y = 0; y < clockRect.height; ++y)
      for (int x = 0; x < clockRect.width; ++x)
        ASSERT_EQ(s.frame().picture().at(clockRect.x + x, clockRect.y + y), fresh.at(x, y))
            << sec << ": " << x << "," << y;
  }
}

TEST(AnalogClockTest, ClickBindingFollowsTheDoubleClickMark) {
  for (bool doubleClick : {true, false}) {
    SCOPED_TRACE(doubleClick ? "double click" : "single click");
    ClockHarness h;
    h.Config(ClockHarness::AnalogClockSection(false) +
             "[doubleclick]\r\ndc=" + (doubleClick ? "1" : "0") + "\r\n");
    h.Start();
    const ControlHandlers& handlers = ClockOf(h).image().handlers;
    EXPECT_EQ(handlers.action, ClickAction::OpenDateTimeSettings);
    EXPECT_EQ(handlers.binding, doubleClick ? ClickBinding::DoubleClick : ClickBinding::Click);
    EXPECT_FALSE(handlers.trackHover);
    h.Press(120, 120);
    h.Release(120, 120);
    EXPECT_EQ(h.launcher.calls.size(), doubleClick ? 0u : 1u);
    h.DoublePress(120, 120);
    h.Release(120, 120);
    ASSERT_EQ(h.launcher.calls.size(), 1u);
    EXPECT_EQ(h.launcher.calls[0].kind, RecordingLauncher::Kind::DateTimeSettings);
  }
}

}  // namespace
}  // namespace moravel
