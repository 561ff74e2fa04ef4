#include <gtest/gtest.h>

#include "platform_win32/SquareIcon.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

constexpr Rgba kRed{255, 0, 0, 255};

// Transparent pixels that hold green, as icon files often have them: the
// soft edge of the red square scaled up is red at every alpha.
TEST(SquareIcon, TransparentPixelsLendNoColourToTheEdges) {
  Bitmap picture = test::Solid(8, 8, {0, 255, 0, 0});
  for (int y = 2; y < 6; ++y) {
    for (int x = 2; x < 6; ++x) picture.set(x, y, kRed);
  }
  const Bitmap icon = SquareIcon(picture, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const Rgba c = icon.at(x, y);
      EXPECT_TRUE(c.a == 0 || (c.r >= 254 && c.g <= 1 && c.b <= 1)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace moravel
