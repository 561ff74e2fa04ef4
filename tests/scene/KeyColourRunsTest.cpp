// The shown parts of a frame, from which the window makes its shape.

#include <gtest/gtest.h>

#include <random>

#include "scene/FrameComposer.h"
#include "scene/KeyColourRuns.h"

namespace moravel {
namespace {

constexpr Rgba kBlue = kDesktopKeyColour;
constexpr Rgba kShown{10, 20, 30, 255};

Bitmap Frame(int w, int h) {
  return *Bitmap::Create(w, h, kBlue);
}

TEST(KeyColourRunsTest, AllBlueShowsNothing) {
  EXPECT_TRUE(KeyColourRuns(Frame(8, 5), {0, 0, 8, 5}).empty());
}

TEST(KeyColourRunsTest, EqualRunsOnFollowingRowsMergeIntoOneRectangle) {
  Bitmap f = Frame(8, 6);
  for (int y = 1; y < 4; ++y)
    for (int x = 2; x < 5; ++x) f.set(x, y, kShown);
  EXPECT_EQ(KeyColourRuns(f, {0, 0, 8, 6}), (std::vector<Rect>{{2, 1, 3, 3}}));
}

TEST(KeyColourRunsTest, RunsOfOtherWidthsStartNewRectangles) {
  Bitmap f = Frame(8, 3);
  for (int x = 0; x < 4; ++x) f.set(x, 0, kShown);  // row 0: 0..3
  for (int x = 0; x < 2; ++x) f.set(x, 1, kShown);  // row 1: 0..1
  f.set(5, 1, kShown);                              // and 5
  for (int x = 0; x < 2; ++x) f.set(x, 2, kShown);  // row 2: 0..1
  const std::vector<Rect> runs = KeyColourRuns(f, {0, 0, 8, 3});
  EXPECT_EQ(runs, (std::vector<Rect>{{0, 0, 4, 1}, {5, 1, 1, 1}, {0, 1, 2, 2}}));
}

TEST(KeyColourRunsTest, OnlyPureBlueIsKeyedAndAlphaIsIgnored) {
  Bitmap f = Frame(3, 1);
  f.set(0, 0, Rgba{0, 0, 254, 255});
  f.set(1, 0, Rgba{0, 0, 255, 0});
  f.set(2, 0, Rgba{1, 0, 255, 255});
  EXPECT_EQ(KeyColourRuns(f, {0, 0, 3, 1}), (std::vector<Rect>{{0, 0, 1, 1}, {2, 0, 1, 1}}));
}

TEST(KeyColourRunsTest, AreaIsClippedToTheFrame) {
  Bitmap f = *Bitmap::Create(4, 4, kShown);
  EXPECT_EQ(KeyColourRuns(f, {2, 3, 10, 10}), (std::vector<Rect>{{2, 3, 2, 1}}));
  EXPECT_TRUE(KeyColourRuns(f, {5, 5, 2, 2}).empty());
}

// On random frames the rectangles cover exactly the shown pixels of the area,
// each once.
TEST(KeyColourRunsTest, RectanglesCoverExactlyTheShownPixels) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    Bitmap f = Frame(37, 23);
    for (int y = 0; y < f.height(); ++y)
      for (int x = 0; x < f.width(); ++x)
        if (rng() % 3 == 0 || (x / 6 + y / 5) % 2 == 0) f.set(x, y, kShown);
    const Rect area{3, 2, 30, 19};
    std::vector<int> covered(size_t(f.width() * f.height()), 0);
    for (const Rect& r : KeyColourRuns(f, area)) {
      for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) ++covered[size_t(y * f.width() + x)];
    }
    for (int y = 0; y < f.height(); ++y) {
      for (int x = 0; x < f.width(); ++x) {
        const bool inArea = x >= area.x && y >= area.y && x < area.right() && y < area.bottom();
        const int expected = inArea && !(f.at(x, y) == kBlue) ? 1 : 0;
        ASSERT_EQ(covered[size_t(y * f.width() + x)], expected) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace moravel
