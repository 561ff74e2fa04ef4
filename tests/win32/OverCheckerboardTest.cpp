#include <gtest/gtest.h>

#include "win32/OverCheckerboard.h"

namespace moravel {
namespace {

// Transparent pixels show the checks, white at the top-left; opaque ones
// their own colour; the rest blend.
TEST(OverCheckerboard, BlendsThePictureOverWhiteAndGreyChecks) {
  Bitmap picture = *Bitmap::Create(20, 10, {0, 0, 0, 0});
  picture.set(19, 9, {10, 20, 30, 255});
  picture.set(1, 1, {255, 0, 0, 128});
  const Bitmap shown = OverCheckerboard(picture, 8);
  ASSERT_EQ(shown.width(), 20);
  ASSERT_EQ(shown.height(), 10);
  EXPECT_EQ(shown.at(0, 0), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(shown.at(7, 7), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(shown.at(8, 0), (Rgba{204, 204, 204, 255}));
  EXPECT_EQ(shown.at(0, 8), (Rgba{204, 204, 204, 255}));
  EXPECT_EQ(shown.at(8, 8), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(shown.at(19, 9), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(shown.at(1, 1), (Rgba{255, 127, 127, 255}));
}

}  // namespace
}  // namespace moravel
