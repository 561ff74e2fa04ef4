// Silhouettes: the picture's shape in one colour at half its opacity.

#include <gtest/gtest.h>

#include "placement/Silhouette.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

TEST(SilhouetteTest, TakesTheColourAndHalvesTheAlphaRoundingDown) {
  test::TempFolder dir;
  Bitmap picture = test::Solid(4, 1, {});
  const uint8_t alphas[] = {255, 200, 1, 0}, halved[] = {127, 100, 0, 0};
  for (int x = 0; x < 4; ++x) picture.set(x, 0, {40, 50, 60, alphas[x]});
  test::WritePng(dir / "up.png", picture);

  const Bitmap s = MakeSilhouette(dir / "up.png", {0, 255, 0, 9});
  ASSERT_EQ(s.width(), 4);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(s.at(x, 0), (Rgba{0, 255, 0, halved[x]})) << x;
  EXPECT_TRUE(MakeSilhouette(dir / "missing.png", {255, 0, 0, 255}).empty());
}

}  // namespace
}  // namespace moravel
