// Enlarging by whole pixels, and the whole-number scale for a desktop's factor.

#include <gtest/gtest.h>

#include <cmath>

#include "raster/WholeScale.h"

namespace moravel {
namespace {

TEST(WholeScaleTest, EachPixelBecomesABlockOfItselfAlphaIncluded) {
  Bitmap source = *Bitmap::Create(2, 1);
  source.row(0)[0] = 10, source.row(0)[3] = 0;    // transparent
  source.row(0)[4] = 20, source.row(0)[7] = 255;  // opaque
  const std::optional<Bitmap> big = EnlargeByWholePixels(source, 3);
  ASSERT_TRUE(big);
  ASSERT_EQ(big->width(), 6);
  ASSERT_EQ(big->height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 6; ++x) {
      const uint8_t* p = big->row(y) + x * 4;
      EXPECT_EQ(p[0], x < 3 ? 10 : 20) << x << "," << y;
      EXPECT_EQ(p[3], x < 3 ? 0 : 255) << x << "," << y;
    }
  }
  EXPECT_EQ(EnlargeByWholePixels(source, 1)->width(), 2);
}

TEST(WholeScaleTest, FactorsRoundToTheNearestWholeScaleWithinOneToThree) {
  EXPECT_EQ(WholeScaleFor(1.0), 1);
  EXPECT_EQ(WholeScaleFor(1.25), 1);
  EXPECT_EQ(WholeScaleFor(1.5), 2);
  EXPECT_EQ(WholeScaleFor(2.0), 2);
  EXPECT_EQ(WholeScaleFor(2.5), 3);
  EXPECT_EQ(WholeScaleFor(5.0), 3);
  EXPECT_EQ(WholeScaleFor(0.5), 1);
  EXPECT_EQ(WholeScaleFor(std::nan("")), 1);
}

}  // namespace
}  // namespace moravel
