#include <gtest/gtest.h>

#include "PixelTestUtil.h"
#include "raster/Drawing.h"

namespace moravel {
namespace {

using testing::NearlyEqual;
using testing::Noise;

// The expected result of copying src's rectangle to (x, y), pixel by pixel.
Bitmap NaiveCopy(Bitmap dst, int x, int y, const Bitmap& src, Rect from) {
  for (int sy = from.y; sy < from.bottom(); ++sy) {
    for (int sx = from.x; sx < from.right(); ++sx) {
      const int dx = x + sx - from.x, dy = y + sy - from.y;
      if (src.contains(sx, sy) && dst.contains(dx, dy)) dst.set(dx, dy, src.at(sx, sy));
    }
  }
  return dst;
}

TEST(CopyRectTest, ClipsAtEveryEdgeOfBothPictures) {
  const Bitmap src = Noise(7, 5, 1);
  const Bitmap base = Noise(9, 6, 2);
  const Rect froms[] = {
      {0, 0, 7, 5}, {2, 1, 3, 3}, {-2, -1, 6, 4}, {4, 3, 10, 10}, {-5, -5, 30, 30}};
  const int offsets[] = {-8, -3, -1, 0, 2, 5, 8, 9, 20};
  for (const Rect& from : froms) {
    for (int x : offsets) {
      for (int y : offsets) {
        Bitmap dst = base;
        CopyRect(dst, x, y, src, from);
        EXPECT_TRUE(NearlyEqual(dst, NaiveCopy(base, x, y, src, from)))
            << "from " << from.x << ',' << from.y << ' ' << from.width << 'x' << from.height
            << " to " << x << ',' << y;
      }
    }
  }
}

TEST(CopyRectTest, HugeOffsetsDoNotOverflow) {
  const Bitmap src = Noise(4, 4, 3);
  Bitmap dst = Noise(4, 4, 4);
  const Bitmap before = dst;
  CopyRect(dst, 2147483600, -2147483600, src, {0, 0, 4, 4});
  CopyRect(dst, 0, 0, src, {2147483600, 0, 2147483647, 4});
  EXPECT_EQ(dst, before);
}

TEST(FillRectTest, FillsOnlyTheClippedArea) {
  Bitmap dst = *Bitmap::Create(5, 4, {1, 2, 3, 4});
  const Rgba c{200, 100, 50, 25};
  FillRect(dst, {-2, 2, 4, 9}, c);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool inside = x < 2 && y >= 2;
      EXPECT_EQ(dst.at(x, y), inside ? c : (Rgba{1, 2, 3, 4})) << x << ',' << y;
    }
  }
}

TEST(DrawBitmapTest, CopyModeReplacesPixelsIncludingAlpha) {
  const Bitmap src = *Bitmap::Create(2, 2, {10, 20, 30, 0});
  Bitmap dst = *Bitmap::Create(3, 3, {255, 255, 255, 255});
  DrawBitmap(dst, src, 2, -1, DrawMode::Copy);
  EXPECT_EQ(dst.at(2, 0), (Rgba{10, 20, 30, 0}));
  EXPECT_EQ(dst.at(1, 0), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(dst.at(2, 1), (Rgba{255, 255, 255, 255}));
}

// One pixel of src with alpha a over one destination pixel.
Rgba BlendOne(Rgba s, Rgba d) {
  Bitmap src = *Bitmap::Create(1, 1, s);
  Bitmap dst = *Bitmap::Create(1, 1, d);
  DrawBitmap(dst, src, 0, 0, DrawMode::Blend);
  return dst.at(0, 0);
}

TEST(DrawBitmapTest, BlendFormulaAtTheEndsAndInTheMiddle) {
  // a = 0 leaves the destination alone, alpha included.
  EXPECT_EQ(BlendOne({200, 100, 0, 0}, {7, 8, 9, 10}), (Rgba{7, 8, 9, 10}));
  // a = 255 gives the source exactly.
  EXPECT_EQ(BlendOne({200, 100, 0, 255}, {7, 8, 9, 10}), (Rgba{200, 100, 0, 255}));
  EXPECT_EQ(BlendOne({255, 0, 1, 255}, {0, 255, 254, 0}), (Rgba{255, 0, 1, 255}));
  // a = 128 over P: (S*128 + 127*P + 255) div 256; alpha 128 + A - A*128/255.
  // red: (200*128 + 127*10 + 255) / 256 = 105.96 -> 105
  // green: (100*128 + 127*250 + 255) / 256 = 175.02 -> 175
  // blue: (0 + 127*255 + 255) / 256 = 127.5 -> 127
  // alpha over 100: 128 + 100 - 50.2 -> 177.8 -> 178
  EXPECT_EQ(BlendOne({200, 100, 0, 128}, {10, 250, 255, 100}), (Rgba{105, 175, 127, 178}));
  // An opaque destination stays opaque.
  EXPECT_EQ(BlendOne({0, 0, 0, 1}, {255, 255, 255, 255}).a, 255);
  // Over a transparent destination the alpha is the source's.
  EXPECT_EQ(BlendOne({0, 0, 0, 77}, {0, 0, 0, 0}).a, 77);
}

TEST(DrawBitmapTest, BlendMatchesFormulaForAllAlphasAndClips) {
  Bitmap src = *Bitmap::Create(256, 1);
  for (int a = 0; a < 256; ++a) src.set(a, 0, {uint8_t(a), uint8_t(255 - a), 90, uint8_t(a)});
  const Bitmap base = Noise(200, 3, 5);
  Bitmap dst = base;
  DrawBitmap(dst, src, -40, 1, DrawMode::Blend);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 200; ++x) {
      const Rgba p = base.at(x, y);
      if (y != 1 || x + 40 > 255) {
        EXPECT_EQ(dst.at(x, y), p) << x << ',' << y;
        continue;
      }
      const Rgba s = src.at(x + 40, 0);
      const unsigned a = s.a;
      auto ch = [a](unsigned sv, unsigned pv) {
        return uint8_t((sv * a + (255 - a) * pv + 255) / 256);
      };
      const double alpha = a + p.a - p.a * a / 255.0;
      const Rgba want{ch(s.r, p.r), ch(s.g, p.g), ch(s.b, p.b), uint8_t(std::lround(alpha))};
      EXPECT_EQ(dst.at(x, y), want) << "alpha " << a;
    }
  }
}

}  // namespace
}  // namespace moravel
