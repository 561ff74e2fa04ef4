#include <gtest/gtest.h>

#include <climits>

#include "platform_win32/MonitorScale.h"

namespace moravel {
namespace {

// Windows' scale settings and what lies around them: 125 % stays at 1,
// 150 % rounds up to 2, and no setting goes past 300 % or below 100 %.
TEST(MonitorScale, RoundsTheDpiToAWholeScaleFromOneToThree) {
  const struct {
    int dpi;
    int scale;
  } cases[] = {{96, 1},  {120, 1}, {143, 1}, {144, 2},     {192, 2},
               {239, 2}, {240, 3}, {288, 3}, {480, 3},     {72, 1},
               {47, 1},  {0, 1},   {-96, 1}, {INT_MIN, 1}, {INT_MAX, 3}};
  for (const auto& c : cases) EXPECT_EQ(WholeScaleOfDpi(c.dpi), c.scale) << c.dpi;
}

}  // namespace
}  // namespace moravel
