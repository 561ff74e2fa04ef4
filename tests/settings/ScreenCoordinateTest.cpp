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
