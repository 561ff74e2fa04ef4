// A Wayland pointer's events as the program's PointerEvents.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "platform_wayland/PointerTranslator.h"

namespace moravel {

// Found by argument-dependent lookup from the standard library's comparisons.
bool operator==(const PointerEvent& a, const PointerEvent& b) {
  if (a.kind != b.kind) return false;
  if (a.kind == PointerEvent::Kind::Leave) return true;
  if (a.x != b.x || a.y != b.y) return false;
  return a.kind == PointerEvent::Kind::Move || a.button == b.button;
}

void PrintTo(const PointerEvent& e, std::ostream* os) {
  *os << "{kind " << int(e.kind) << " at " << e.x << "," << e.y << " button " << int(e.button)
      << "}";
}

namespace {

using Kind = PointerEvent::Kind;
using Events = std::vector<PointerEvent>;

TEST(PointerTranslatorTest, PositionsAreDevicePixelsOfTheSurfaceScale) {
  PointerTranslator t;
  t.Enter(10.75, 20.25, 2);
  EXPECT_EQ(t.Frame(), (Events{{Kind::Move, 21, 40}}));
  t.Motion(0.4, 99.5);
  EXPECT_EQ(t.Frame(), (Events{{Kind::Move, 0, 199}}));
  t.Motion(-0.25, 3);  // just left of the surface (a held button) rounds down
  EXPECT_EQ(t.Frame(), (Events{{Kind::Move, -1, 6}}));
}

TEST(PointerTranslatorTest, AFramesMovesBecomeOneHandedOnBeforeAButton) {
  PointerTranslator t;
  t.Enter(1, 1, 1);
  t.Motion(5, 5);
  t.Motion(7, 8);
  t.Button(100, BTN_LEFT, true);
  t.Motion(9, 9);
  EXPECT_EQ(
      t.Frame(),
      (Events{{Kind::Move, 7, 8}, {Kind::Press, 7, 8, MouseButton::Left}, {Kind::Move, 9, 9}}));
  EXPECT_TRUE(t.Frame().empty());  // nothing twice
  t.Button(150, BTN_LEFT, false);
  EXPECT_EQ(t.Frame(), (Events{{Kind::Release, 9, 9, MouseButton::Left}}));
}

TEST(PointerTranslatorTest, ButtonsOtherThanTheThreeAreLeftOut) {
  PointerTranslator t;
  t.Enter(3, 4, 1);
  t.Frame();
  t.Button(10, BTN_SIDE, true);
  t.Button(20, BTN_MIDDLE, true);
  t.Button(30, BTN_RIGHT, false);
  EXPECT_EQ(t.Frame(), (Events{{Kind::Press, 3, 4, MouseButton::Middle},
                               {Kind::Release, 3, 4, MouseButton::Right}}));
}

// Presses of `button` at the given times and places (device pixels at scale
// 1), each released at once: the kinds of the presses.
std::vector<Kind> Presses(std::vector<std::tuple<uint32_t, int, int, uint32_t>> presses,
                          int scale = 1) {
  PointerTranslator t;
  t.Enter(0, 0, scale);
  std::vector<Kind> kinds;
  for (auto [time, x, y, button] : presses) {
    t.Motion(double(x) / scale, double(y) / scale);
    t.Button(time, button, true);
    t.Button(time + 1, button, false);
    for (const PointerEvent& e : t.Frame())
      if (e.kind == Kind::Press || e.kind == Kind::DoubleClick) kinds.push_back(e.kind);
  }
  return kinds;
}

TEST(PointerTranslatorTest, ASecondPressSoonAndNearIsADoubleClick) {
  const uint32_t soon = PointerTranslator::kDoubleClickMs;
  const int near = PointerTranslator::kDoubleClickSlop;
  EXPECT_EQ(Presses({{1000, 50, 50, BTN_LEFT}, {1000 + soon, 50 + near, 50 - near, BTN_LEFT}}),
            (std::vector<Kind>{Kind::Press, Kind::DoubleClick}));
  // The third is a press again, and may start the next double click.
  EXPECT_EQ(Presses({{0, 5, 5, BTN_LEFT},
                     {100, 5, 5, BTN_LEFT},
                     {200, 5, 5, BTN_LEFT},
                     {300, 5, 5, BTN_LEFT}}),
            (std::vector<Kind>{Kind::Press, Kind::DoubleClick, Kind::Press, Kind::DoubleClick}));
  // Later, farther or another button: two presses.
  EXPECT_EQ(Presses({{1000, 50, 50, BTN_LEFT}, {1001 + soon, 50, 50, BTN_LEFT}}),
            (std::vector<Kind>{Kind::Press, Kind::Press}));
  EXPECT_EQ(Presses({{1000, 50, 50, BTN_LEFT}, {1010, 51 + near, 50, BTN_LEFT}}),
            (std::vector<Kind>{Kind::Press, Kind::Press}));
  EXPECT_EQ(Presses({{1000, 50, 50, BTN_LEFT}, {1010, 50, 50, BTN_RIGHT}}),
            (std::vector<Kind>{Kind::Press, Kind::Press}));
  // The clock of the events may wrap round between the two.
  EXPECT_EQ(Presses({{0xFFFFFFF0u, 5, 5, BTN_LEFT}, {0x10, 5, 5, BTN_LEFT}}),
            (std::vector<Kind>{Kind::Press, Kind::DoubleClick}));
}

TEST(PointerTranslatorTest, TheNearnessOfADoubleClickGrowsWithTheScale) {
  const int far = PointerTranslator::kDoubleClickSlop + 2;  // device pixels
  EXPECT_EQ(Presses({{0, 40, 40, BTN_LEFT}, {10, 40 + far, 40, BTN_LEFT}}, 2),
            (std::vector<Kind>{Kind::Press, Kind::DoubleClick}));
  EXPECT_EQ(Presses({{0, 40, 40, BTN_LEFT}, {10, 40 + far, 40, BTN_LEFT}}, 1),
            (std::vector<Kind>{Kind::Press, Kind::Press}));
}

TEST(PointerTranslatorTest, LeavingEndsAFrameWithALeaveAndForgetsTheFirstClick) {
  PointerTranslator t;
  t.Enter(5, 5, 1);
  t.Button(0, BTN_LEFT, true);
  t.Button(1, BTN_LEFT, false);
  t.Frame();
  t.Motion(6, 6);
  t.Leave();
  EXPECT_EQ(t.Frame(), (Events{{Kind::Leave}}));
  t.Enter(5, 5, 1);
  t.Button(10, BTN_LEFT, true);
  EXPECT_EQ(t.Frame(), (Events{{Kind::Move, 5, 5}, {Kind::Press, 5, 5, MouseButton::Left}}));
}

}  // namespace
}  // namespace moravel
