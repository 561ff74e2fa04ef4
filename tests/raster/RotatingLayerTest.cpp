#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "PixelTestUtil.h"
#include "raster/CpuFeatures.h"
#include "raster/RotatingLayer.h"

namespace moravel {
namespace {

using testing::NearlyEqual;
using testing::Noise;

// A 60 x 9 hand pointing right from its pivot (4, 4): a red shaft, a blue
// pivot pixel and a green 3 x 3 tip centred on (57, 4), 53 pixels out.
Bitmap Hand() {
  Bitmap b = *Bitmap::Create(60, 9);
  for (int x = 5; x < 56; ++x) b.set(x, 4, {255, 0, 0, 255});
  b.set(4, 4, {0, 0, 255, 255});
  for (int y = 3; y <= 5; ++y) {
    for (int x = 56; x <= 58; ++x) b.set(x, y, {0, 255, 0, 255});
  }
  return b;
}

struct Point {
  double x, y;
};

// Centre of mass of one channel over a black plate.
Point Centroid(const Bitmap& plate, int channel) {
  double sum = 0, sx = 0, sy = 0;
  for (int y = 0; y < plate.height(); ++y) {
    for (int x = 0; x < plate.width(); ++x) {
      const double v = plate.row(y)[x * 4 + channel];
      sum += v, sx += v * x, sy += v * y;
    }
  }
  return sum > 0 ? Point{sx / sum, sy / sum} : Point{-1, -1};
}

Bitmap DrawHandAt(float angle) {
  RotatingLayer layer(Hand());
  layer.setPivot(4, 4);
  layer.setPosition(100, 100);
  layer.setAngle(angle);
  Bitmap plate = *Bitmap::Create(200, 200, {0, 0, 0, 255});
  layer.Draw(plate);
  return plate;
}

TEST(RotatingLayerTest, TipLandsWhereTheClockAnglePointsIt) {
  // 00:00:00 -> 90, hour hand at 03:00 -> 0, minute hand at 06:30 -> -90,
  // hour hand at 06:30 -> -105, hour hand at 15:45:30 -> -382.75.
  for (float angle : {90.0f, 0.0f, -90.0f, -105.0f, -382.75f, 37.0f}) {
    const Bitmap plate = DrawHandAt(angle);
    const double a = angle * std::numbers::pi / 180.0;
    const Point tip = Centroid(plate, 1);
    EXPECT_NEAR(tip.x, 100 + 53 * std::cos(a), 1.0) << "angle " << angle;
    EXPECT_NEAR(tip.y, 100 - 53 * std::sin(a), 1.0) << "angle " << angle;
    const Point pivot = Centroid(plate, 2);
    EXPECT_NEAR(pivot.x, 100, 0.5) << "angle " << angle;
    EXPECT_NEAR(pivot.y, 100, 0.5) << "angle " << angle;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 200; ++x) ASSERT_EQ(plate.at(x, y).a, 255) << "opaque plate stays opaque";
    }
  }
  // Spot checks of the four clock directions.
  EXPECT_GT(DrawHandAt(90).at(100, 47).g, 200);
  EXPECT_GT(DrawHandAt(0).at(153, 100).g, 200);
  EXPECT_GT(DrawHandAt(-90).at(100, 153).g, 200);
  EXPECT_GT(DrawHandAt(180).at(47, 100).g, 200);
}

TEST(RotatingLayerTest, TransparentNeighboursLendNoColour) {
  Bitmap hand = *Bitmap::Create(20, 20, {255, 0, 0, 0});
  for (int y = 3; y < 17; ++y) {
    for (int x = 3; x < 11; ++x) hand.set(x, y, {255, 255, 255, 255});
  }
  for (float angle : {0.0f, 37.0f, 90.5f, -200.3f}) {
    RotatingLayer layer(hand);
    layer.setPivot(9.5f, 9.5f);
    layer.setPosition(30.25f, 29.6f);
    layer.setAngle(angle);
    for (Rgba under : {Rgba{0, 0, 0, 255}, Rgba{0, 0, 0, 0}}) {
      Bitmap plate = *Bitmap::Create(60, 60, under);
      layer.Draw(plate);
      int touched = 0;
      for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
          const Rgba p = plate.at(x, y);
          ASSERT_EQ(p.r, p.g) << x << ',' << y << " angle " << angle;
          ASSERT_EQ(p.r, p.b) << x << ',' << y << " angle " << angle;
          if (p.a != under.a) {
            ++touched;
            // Over a transparent plate the colour is un-premultiplied back to white.
            EXPECT_GE(p.r, 250) << x << ',' << y << " angle " << angle;
          }
        }
      }
      if (under.a == 0) {
        EXPECT_GT(touched, 8 * 14);
      }
    }
  }
}

TEST(RotatingLayerTest, AngleZeroWithWholePixelsReproducesTheHand) {
  Bitmap hand = Noise(16, 12, 7);
  for (int x = 0; x < 16; ++x) hand.row(5)[x * 4 + 3] = 255;  // one opaque row
  const Bitmap base = Noise(40, 30, 8);
  Bitmap plate = base;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) plate.row(y)[x * 4 + 3] = 255;
  }
  const Bitmap opaqueBase = plate;
  RotatingLayer layer(hand);
  layer.setPivot(3, 2);
  layer.setPosition(20, 10);
  layer.Draw(plate);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const int hx = x - 17, hy = y - 8;
      const Rgba p = opaqueBase.at(x, y);
      if (hx < 0 || hy < 0 || hx >= 16 || hy >= 12) {
        ASSERT_EQ(plate.at(x, y), p) << x << ',' << y;
        continue;
      }
      const Rgba h = hand.at(hx, hy);
      const double a = h.a / 255.0;
      const Rgba got = plate.at(x, y);
      EXPECT_NEAR(got.r, h.r * a + p.r * (1 - a), 1.0) << x << ',' << y;
      EXPECT_NEAR(got.g, h.g * a + p.g * (1 - a), 1.0) << x << ',' << y;
      EXPECT_NEAR(got.b, h.b * a + p.b * (1 - a), 1.0) << x << ',' << y;
      EXPECT_EQ(got.a, 255);
      if (h.a == 255) {
        EXPECT_EQ(got, h) << x << ',' << y;
      }
    }
  }
}

TEST(RotatingLayerTest, TranslucentPlateGetsSourceOverInStraightAlpha) {
  Bitmap hand = *Bitmap::Create(3, 3, {200, 40, 0, 128});
  Bitmap plate = *Bitmap::Create(5, 5, {0, 100, 255, 128});
  RotatingLayer layer(hand);
  layer.setPosition(1, 1);
  layer.Draw(plate);
  // alpha 0.502 + 0.502 * (1 - 0.502) = 0.752; colour = (S a + P A (1 - a)) / alpha.
  const double sa = 128 / 255.0, da = 128 / 255.0, oa = sa + da * (1 - sa);
  const Rgba got = plate.at(2, 2);
  EXPECT_NEAR(got.a, oa * 255, 1.0);
  EXPECT_NEAR(got.r, (200 * sa + 0 * da * (1 - sa)) / oa, 1.5);
  EXPECT_NEAR(got.g, (40 * sa + 100 * da * (1 - sa)) / oa, 1.5);
  EXPECT_NEAR(got.b, (0 * sa + 255 * da * (1 - sa)) / oa, 1.5);
  EXPECT_EQ(plate.at(0, 0), (Rgba{0, 100, 255, 128}));
}

TEST(RotatingLayerTest, DrawStaysInsideBoundsAndClipsToThePlate) {
  const Bitmap hand = Noise(31, 17, 3);
  for (float angle : {0.0f, 15.0f, 90.0f, 133.3f, -61.0f}) {
    for (Point pos : {Point{25, 25}, Point{-3.5, 10}, Point{48.2, 47.9}}) {
      RotatingLayer layer(hand);
      layer.setPivot(5.5f, 8);
      layer.setPosition(float(pos.x), float(pos.y));
      layer.setAngle(angle);
      const Rect bounds = layer.Bounds();
      // The rotated 33 x 19 area of possible samples, plus a pixel of margin.
      const double a = angle * std::numbers::pi / 180.0;
      const double span = 33 * std::abs(std::cos(a)) + 19 * std::abs(std::sin(a));
      EXPECT_LE(bounds.width, span + 4) << angle;
      const Bitmap base = *Bitmap::Create(50, 50, {1, 2, 3, 255});
      Bitmap plate = base;
      layer.Draw(plate);
      int changed = 0;
      for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
          if (plate.at(x, y) == base.at(x, y)) continue;
          ++changed;
          EXPECT_TRUE(x >= bounds.x && x < bounds.right() && y >= bounds.y && y < bounds.bottom())
              << x << ',' << y << " angle " << angle;
        }
      }
      EXPECT_GT(changed, 0);
    }
  }
}

TEST(RotatingLayerTest, TransparentMarginsAroundAHandChangeNothingDrawn) {
  // At right angles the sample positions are exact, so the hand alone and
  // the hand inside a wide transparent frame must give the same pixels, the
  // edges' partly covered ones included.
  Bitmap core = Noise(21, 5, 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 21; ++x) core.row(y)[x * 4 + 3] = uint8_t(40 + (x * 11 + y * 5) % 216);
  Bitmap framed = *Bitmap::Create(33, 15);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 21; ++x) framed.set(x + 7, y + 4, core.at(x, y));
  const Bitmap base = Noise(40, 40, 9);
  for (float angle : {0.0f, 90.0f, 180.0f, -90.0f}) {
    RotatingLayer alone(core), inFrame(framed);
    alone.setPivot(3.5f, 2);
    inFrame.setPivot(10.5f, 6);
    for (RotatingLayer* layer : {&alone, &inFrame}) {
      layer->setPosition(20.37f, 19.61f);
      layer->setAngle(angle);
    }
    Bitmap a = base, b = base;
    alone.Draw(a);
    inFrame.Draw(b);
    // Off the pixel grid by a fraction both ways, the 21 x 5 hand touches
    // 22 x 6 plate pixels, its edges' only partly.
    int changed = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) changed += a.at(x, y) == base.at(x, y) ? 0 : 1;
    EXPECT_EQ(changed, 22 * 6) << angle;
    EXPECT_TRUE(a == b) << angle;
  }
}

TEST(RotatingLayerTest, EmptyHandOrBrokenGeometryDrawsNothing) {
  Bitmap plate = *Bitmap::Create(4, 4, {9, 9, 9, 9});
  const Bitmap before = plate;
  RotatingLayer empty{Bitmap{}};
  EXPECT_TRUE(empty.Bounds().empty());
  empty.Draw(plate);
  RotatingLayer nan(*Bitmap::Create(2, 2, {1, 1, 1, 255}));
  nan.setAngle(std::nanf(""));
  EXPECT_TRUE(nan.Bounds().empty());
  nan.Draw(plate);
  RotatingLayer far(*Bitmap::Create(2, 2, {1, 1, 1, 255}));
  far.setPosition(1e30f, -1e30f);
  far.Draw(plate);
  EXPECT_EQ(plate, before);
}

// A hand with every kind of pixel: transparent, opaque and translucent areas
// and noise, so that groups of samples are skipped, laid over whole, or mixed.
Bitmap MixedHand(int w, int h, uint32_t seed) {
  Bitmap hand = Noise(w, h, seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = hand.row(y) + x * 4;
      if (x < w / 4) p[3] = 0;
      if (x >= w / 2 && x < 3 * w / 4) p[3] = 255;
    }
  }
  return hand;
}

// A plate that is opaque except for translucent spots here and there.
Bitmap MixedPlate(int w, int h, uint32_t seed) {
  Bitmap plate = Noise(w, h, seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t& a = plate.row(y)[x * 4 + 3];
      if ((x * 7 + y * 3) % 23 != 0) a = 255;
    }
  }
  return plate;
}

class RotateKernelSetTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RotateKernelSetTest, GivesResultsIdenticalToScalar) {
  if (!Avx2RotateKernels()) GTEST_SKIP() << "this build has no avx2 kernels";
  if (!CpuHasAvx2()) GTEST_SKIP() << "this processor has no AVX2";
  const RotateKernels& kernels = *Avx2RotateKernels();
  struct Case {
    int w, h;
    float angle, pivotX, pivotY, x, y;
  };
  // Runs of every length (short hands, steep and shallow angles), positions
  // between pixels, hands leaving the plate at every side.
  const Case cases[] = {{60, 9, 90, 4, 4, 40, 40},         {60, 9, 37.3f, 4, 4.5f, 40.25f, 39.6f},
                        {31, 17, -105, 5.5f, 8, 33, 35},   {3, 2, 11, 1, 1, 10.5f, 10.5f},
                        {1, 1, 0, 0, 0, 5.3f, 7.8f},       {80, 23, 181.7f, 10, 11, 30, 40},
                        {124, 19, -382.75f, 10, 9, 64, 3}, {40, 40, 45, 20, 20, 79.5f, 79.5f},
                        {17, 70, 0.01f, 8, 35, 40, 40},    {25, 25, 270, 0, 0, 10, 50}};
  uint32_t seed = 1;
  for (const Case& c : cases) {
    RotatingLayer layer(MixedHand(c.w, c.h, seed++));
    layer.setPivot(c.pivotX, c.pivotY);
    layer.setPosition(c.x, c.y);
    layer.setAngle(c.angle);
    for (const Bitmap& base : {MixedPlate(80, 80, seed), *Bitmap::Create(80, 80, {9, 8, 7, 255})}) {
      Bitmap scalar = base, simd = base;
      layer.Draw(scalar, ScalarRotateKernels());
      layer.Draw(simd, kernels);
      EXPECT_TRUE(NearlyEqual(simd, scalar, 0))
          << GetParam() << " hand " << c.w << 'x' << c.h << " angle " << c.angle;
      EXPECT_NE(scalar, base) << "the hand was drawn";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sets, RotateKernelSetTest, ::testing::Values("avx2"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace moravel
