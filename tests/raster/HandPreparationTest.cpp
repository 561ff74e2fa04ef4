#include <gtest/gtest.h>

#include "raster/HandPreparation.h"

namespace moravel {
namespace {

TEST(ColorKeyTest, OnlyExactOpaqueMatchesBecomeTransparent) {
  const Rgba key{10, 200, 30, 255};
  Bitmap b = *Bitmap::Create(4, 2, key);
  b.set(1, 0, {11, 200, 30, 255});  // one channel off
  b.set(2, 0, {10, 200, 30, 254});  // same colour, not fully opaque
  b.set(3, 0, {0, 0, 0, 255});
  ApplyColorKey(b);
  EXPECT_EQ(b.at(0, 0), (Rgba{10, 200, 30, 0}));
  EXPECT_EQ(b.at(1, 0), (Rgba{11, 200, 30, 255}));
  EXPECT_EQ(b.at(2, 0), (Rgba{10, 200, 30, 254}));
  EXPECT_EQ(b.at(3, 0), (Rgba{0, 0, 0, 255}));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(b.at(x, 1), (Rgba{10, 200, 30, 0}));
}

TEST(ColorKeyTest, TranslucentCornerKeysNothing) {
  Bitmap b = *Bitmap::Create(3, 3, {5, 5, 5, 255});
  b.set(0, 0, {5, 5, 5, 128});
  const Bitmap before = b;
  ApplyColorKey(b);
  EXPECT_EQ(b, before);
  Bitmap empty;
  ApplyColorKey(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(EdgeFrameTest, WritesTransparentWhiteOnTheOuterPixelsOnly) {
  const Rgba inside{1, 2, 3, 200}, clear{255, 255, 255, 0};
  Bitmap b = *Bitmap::Create(5, 4, inside);
  ClearEdgeFrame(b);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool edge = x == 0 || y == 0 || x == 4 || y == 3;
      EXPECT_EQ(b.at(x, y), edge ? clear : inside) << x << ',' << y;
    }
  }
  Bitmap thin = *Bitmap::Create(1, 3, inside);
  ClearEdgeFrame(thin);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(thin.at(0, y), clear);
}

}  // namespace
}  // namespace moravel
