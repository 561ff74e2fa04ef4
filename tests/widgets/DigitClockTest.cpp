// The digit clock: which digit pictures a tick of the clock timer shows, and
// which it leaves alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "TimeWidgetsTestKit.h"

namespace moravel {
namespace {

using test::ClockHarness;

WidgetSection Clock(int index) {
  return WidgetSection(int(WidgetSection::Clock1) + index);
}

std::array<Picture, 6> Shown(const DesktopScene& scene) {
  std::array<Picture, 6> out;
  for (int c = 0; c < 6; ++c) out[size_t(c)] = scene.widget(Clock(c))->picture();
  return out;
}

// The clock sections whose rectangle is among `dirty`.
std::vector<int> RedrawnDigits(const DesktopScene& scene, const std::vector<Rect>& dirty) {
  std::vector<int> out;
  for (int c = 0; c < 6; ++c) {
    const Rect r = scene.widget(Clock(c))->rect();
    if (std::find(dirty.begin(), dirty.end(), r) != dirty.end()) out.push_back(c);
  }
  return out;
}

void ExpectTime(const DesktopScene& scene, std::array<int, 6> digits) {
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(scene.widget(Clock(c))->picture(),
              scene.clockDigitPictures[size_t(c)][size_t(digits[size_t(c)])])
        << "clock" << c + 1;
  }
}

TEST(DigitClockTest, OnlyTheDigitsThatChangeAreReplaced) {
  ClockHarness h;
  h.Config(h.DigitSections(300, 20));
  Desktop& s = h.Start();
  const DesktopScene& scene = s.state().scene;
  s.frame().TakeDirty();

  h.Tick(9, 59, 59);
  ExpectTime(scene, {0, 9, 5, 9, 5, 9});
  EXPECT_EQ(RedrawnDigits(scene, s.frame().TakeDirty()), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(scene.lastClockHour, 9);
  EXPECT_EQ(scene.lastClockMinute, 59);
  EXPECT_EQ(scene.lastClockSecond, 59);

  h.Tick(10, 0, 0);
  ExpectTime(scene, {1, 0, 0, 0, 0, 0});
  std::vector<Rect> dirty = s.frame().TakeDirty();
  EXPECT_EQ(RedrawnDigits(scene, dirty), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(dirty.size(), 6u);

  const std::array<Picture, 6> before = Shown(scene);
  h.Tick(10, 0, 1);
  ExpectTime(scene, {1, 0, 0, 0, 0, 1});
  const std::array<Picture, 6> after = Shown(scene);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(after[size_t(c)], before[size_t(c)]) << c;
  dirty = s.frame().TakeDirty();
  EXPECT_EQ(dirty, (std::vector<Rect>{scene.widget(WidgetSection::Clock6)->rect()}));
  EXPECT_EQ(s.frame().picture().at(300 + 50 + 3, 25), test::DigitColour(5, 1));
  EXPECT_EQ(s.frame().picture().at(300 + 10 + 3, 25), test::DigitColour(1, 0));

  h.Tick(10, 0, 1);
  EXPECT_TRUE(s.frame().TakeDirty().empty()) << "two ticks in one second draw once";
}

TEST(DigitClockTest, TheFirstTickDrawsEveryDigitEvenZeros) {
  ClockHarness h;
  h.Config(h.DigitSections(300, 20));
  Desktop& s = h.Start();
  for (int c = 0; c < 6; ++c) EXPECT_EQ(s.state().scene.widget(Clock(c))->picture(), nullptr);
  h.Tick(0, 0, 0);
  ExpectTime(s.state().scene, {0, 0, 0, 0, 0, 0});
  for (int c = 0; c < 6; ++c) EXPECT_NE(s.state().scene.widget(Clock(c))->picture(), nullptr);
}

TEST(DigitClockTest, AnEmptyDigitPictureEmptiesItsDigit) {
  ClockHarness h;
  std::string config = h.DigitSections(300, 20);
  config.erase(config.find("image3=c6_3.png\r\n"), 17);  // clock6 loads digits 0 .. 2 only
  h.Config(config);
  Desktop& s = h.Start();
  h.Tick(8, 0, 2);
  EXPECT_EQ(s.frame().picture().at(353, 25), test::DigitColour(5, 2));
  h.Tick(8, 0, 3);
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Clock6)->picture(), nullptr);
  EXPECT_EQ(s.frame().picture().at(353, 25), test::PatternAt(353, 25));
  h.Tick(8, 0, 4);
  EXPECT_EQ(s.frame().picture().at(353, 25), test::PatternAt(353, 25));
}

TEST(DigitClockTest, OnlyPresentSectionsAreTouched) {
  ClockHarness h;
  h.Config("[clock6]\r\nimage0=z.png\r\nimage1=z.png\r\n");
  h.Picture("z.png", test::Solid(5, 5, Rgba{1, 2, 3, 255}));
  Desktop& s = h.Start();
  h.Tick(23, 59, 1);
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Clock1), nullptr);
  EXPECT_NE(s.state().scene.widget(WidgetSection::Clock6)->picture(), nullptr);
  EXPECT_EQ(s.state().scene.lastClockHour, 23);
}

}  // namespace
}  // namespace moravel
