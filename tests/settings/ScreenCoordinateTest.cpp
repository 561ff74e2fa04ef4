// Stored coordinates measured from an edge or from the centre of the screen.

#include <gtest/gtest.h>

#include <climits>

#include "settings/ScreenCoordinate.h"

namespace moravel {
namespace {

TEST(ScreenCoordinateTest, FromTheNearEdge) {
  EXPECT_EQ(ResolveScreenCoordinate(0, 1920), 0);
  EXPECT_EQ(ResolveScreenCoordinate(100, 1920), 100);
  EXPECT_EQ(ResolveScreenCoordinate(9999, 1920), 9999);
}

TEST(ScreenCoordinateTest, FromTheFarEdge) {
  EXPECT_EQ(ResolveScreenCoordinate(-1, 1920), 1919);
  EXPECT_EQ(ResolveScreenCoordinate(-200, 1080), 880);
  EXPECT_EQ(ResolveScreenCoordinate(-9999, 1920), 1920 - 9999);
}

TEST(ScreenCoordinateTest, FromTheCentre) {
  EXPECT_EQ(ResolveScreenCoordinate(10000, 1920), 960);
  EXPECT_EQ(ResolveScreenCoordinate(-10000, 1920), 960);
  EXPECT_EQ(ResolveScreenCoordinate(10050, 1920), 1010);
  EXPECT_EQ(ResolveScreenCoordinate(-10050, 1920), 910);
  // The half of an odd extent is rounded down.
  EXPECT_EQ(ResolveScreenCoordinate(10000, 1081), 540);
  EXPECT_EQ(ResolveScreenCoordinate(-10001, 1081), 539);
}

TEST(ScreenCoordinateTest, ExtremeValuesDoNotOverflow) {
  EXPECT_EQ(ResolveScreenCoordinate(INT_MAX, 1920), INT_MAX - 10000 + 960);
  EXPECT_EQ(ResolveScreenCoordinate(INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(ResolveScreenCoordinate(INT_MIN, 1920), INT_MIN + 10000 + 960);
  EXPECT_EQ(ResolveScreenCoordinate(INT_MIN, 0), INT_MIN + 10000);
  EXPECT_EQ(ResolveScreenCoordinate(-1, INT_MIN), INT_MIN);
}

}  // namespace
}  // namespace moravel

namespace moravel {
namespace {

TEST(SkinScreenTest, ResolvesOnTheLogicalScreenAndRoundsDevicePixelsDown) {
  const SkinScreen s{3840, 2160, 2};
  EXPECT_EQ(s.X(-100), (1920 - 100) * 2);
  EXPECT_EQ(s.Y(10010), (540 + 10) * 2);
  EXPECT_EQ(s.Skin(5), 2);
  EXPECT_EQ(s.Skin(-1), -1);  // the pixel left of 0
  EXPECT_EQ(s.Skin(-2), -1);
  EXPECT_EQ(s.Device(1 << 30), INT_MAX);
  const SkinScreen odd{1001, 7, 3};  // a remainder is left off
  EXPECT_EQ(odd.X(-1), 332 * 3);
}

}  // namespace
}  // namespace moravel
