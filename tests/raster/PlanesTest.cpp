#include <gtest/gtest.h>

#include <cmath>

#include "PixelTestUtil.h"
#include "raster/Planes.h"

namespace moravel {
namespace {

using testing::Noise;

TEST(PlanesTest, SplitThenJoinGivesTheBitmapBack) {
  const Bitmap b = Noise(13, 7, 11);
  const Planes p = SplitBitmap(b);
  ASSERT_EQ(p.color.width(), 13);
  ASSERT_EQ(p.alpha.height(), 7);
  EXPECT_EQ(p.color.byteCount(), size_t(13 * 7 * 3));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const Rgba c = b.at(x, y);
      const uint8_t* rgb = p.color.row(y) + x * 3;
      EXPECT_EQ(rgb[0], c.r);
      EXPECT_EQ(rgb[1], c.g);
      EXPECT_EQ(rgb[2], c.b);
      EXPECT_EQ(p.alpha.row(y)[x], c.a);
    }
  }
  const std::optional<Bitmap> joined = JoinPlanes(p.color, p.alpha);
  ASSERT_TRUE(joined);
  EXPECT_EQ(*joined, b);
}

TEST(PlanesTest, JoinRefusesPlanesOfDifferentSizes) {
  EXPECT_FALSE(JoinPlanes(*ColorPlane::Create(3, 2), *AlphaPlane::Create(2, 3)));
  EXPECT_TRUE(JoinPlanes(*ColorPlane::Create(0, 0), *AlphaPlane::Create(0, 0)));
  EXPECT_FALSE(ColorPlane::Create(-1, 2));
  EXPECT_FALSE(AlphaPlane::Create(2, -1));
}

TEST(PlanesTest, BlendPlanesUsesTheBlendFormulaAndClips) {
  const Planes src = SplitBitmap(Noise(6, 5, 21));
  const Planes base = SplitBitmap(Noise(8, 4, 22));
  for (int x : {-7, -2, 0, 3, 7, 8}) {
    for (int y : {-5, -1, 0, 2, 4}) {
      ColorPlane dst = base.color;
      ASSERT_TRUE(BlendPlanes(dst, src.color, src.alpha, x, y));
      for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx < 8; ++dx) {
          const int sx = dx - x, sy = dy - y;
          const bool covered = sx >= 0 && sy >= 0 && sx < 6 && sy < 5;
          for (int c = 0; c < 3; ++c) {
            const unsigned p = base.color.row(dy)[dx * 3 + c];
            unsigned want = p;
            if (covered) {
              const unsigned s = src.color.row(sy)[sx * 3 + c], a = src.alpha.row(sy)[sx];
              want = (s * a + (255 - a) * p + 255) / 256;
            }
            EXPECT_EQ(dst.row(dy)[dx * 3 + c], want) << dx << ',' << dy << " at " << x << ',' << y;
          }
        }
      }
    }
  }
}

TEST(PlanesTest, BlendPlanesEndsOfTheAlphaRange) {
  ColorPlane dst = *ColorPlane::Create(2, 1);
  dst.data()[0] = 40, dst.data()[1] = 50, dst.data()[2] = 60;
  dst.data()[3] = 40, dst.data()[4] = 50, dst.data()[5] = 60;
  ColorPlane src = *ColorPlane::Create(2, 1);
  for (int i = 0; i < 6; ++i) src.data()[i] = 255;
  AlphaPlane a = *AlphaPlane::Create(2, 1);
  a.data()[0] = 0, a.data()[1] = 255;
  ASSERT_TRUE(BlendPlanes(dst, src, a, 0, 0));
  EXPECT_EQ(dst.data()[0], 40);
  EXPECT_EQ(dst.data()[2], 60);
  EXPECT_EQ(dst.data()[3], 255);
  EXPECT_EQ(dst.data()[5], 255);
  EXPECT_FALSE(BlendPlanes(dst, src, *AlphaPlane::Create(1, 1), 0, 0));
}

TEST(PlanesTest, MergeAlphaIsTheRoundedUnion) {
  AlphaPlane src = *AlphaPlane::Create(256, 1);
  for (int i = 0; i < 256; ++i) src.data()[i] = uint8_t(i);
  for (int old : {0, 1, 100, 128, 254, 255}) {
    AlphaPlane dst = *AlphaPlane::Create(300, 2, uint8_t(old));
    MergeAlpha(dst, src, 10, 1);
    for (int x = 0; x < 300; ++x) {
      EXPECT_EQ(dst.row(0)[x], old);
      const int a = x - 10;
      const int want = (a < 0 || a > 255) ? old : int(std::lround(a + old - old * a / 255.0));
      EXPECT_EQ(dst.row(1)[x], want) << "a " << a << " A " << old;
    }
  }
}

}  // namespace
}  // namespace moravel
