#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "PixelTestUtil.h"
#include "raster/ResampleWeights.h"
#include "raster/Stretch.h"

namespace moravel {
namespace {

using testing::NearlyEqual;
using testing::Noise;

// ---- Double-precision reference: Lanczos-3, separable, no rounding between
// the passes, each output centred at (i + 0.5) * scale, support scaled when
// shrinking.

double RefSinc(double x) {
  return x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

struct Tap {
  int index;
  double weight;
};

std::vector<Tap> RefTaps(int in, int out, int i) {
  const double scale = double(in) / out, fs = std::max(1.0, scale);
  const double center = (i + 0.5) * scale;
  std::vector<Tap> taps;
  double sum = 0;
  for (int k = 0; k < in; ++k) {
    const double d = (k + 0.5 - center) / fs;
    if (std::abs(d) >= 3.0) continue;
    const double w = RefSinc(d) * RefSinc(d / 3.0);
    taps.push_back({k, w});
    sum += w;
  }
  for (Tap& t : taps) t.weight /= sum;
  return taps;
}

Bitmap Reference(const Bitmap& src, int w, int h) {
  const int sw = src.width(), sh = src.height();
  std::vector<double> mid(size_t(w) * sh * 4);
  for (int x = 0; x < w; ++x) {
    const std::vector<Tap> taps = RefTaps(sw, w, x);
    for (int y = 0; y < sh; ++y) {
      for (int c = 0; c < 4; ++c) {
        double v = 0;
        for (const Tap& t : taps) v += t.weight * src.row(y)[t.index * 4 + c];
        mid[(size_t(y) * w + x) * 4 + c] = v;
      }
    }
  }
  Bitmap out = *Bitmap::Create(w, h);
  for (int y = 0; y < h; ++y) {
    const std::vector<Tap> taps = RefTaps(sh, h, y);
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 4; ++c) {
        double v = 0;
        for (const Tap& t : taps) v += t.weight * mid[(size_t(t.index) * w + x) * 4 + c];
        out.row(y)[x * 4 + c] = uint8_t(std::clamp(std::lround(v), 0L, 255L));
      }
    }
  }
  return out;
}

// A picture with smooth parts, hard edges and noise.
Bitmap TestPicture(int w, int h, uint32_t seed) {
  Bitmap b = Noise(w, h, seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if ((x / 3 + y / 2) % 3 == 0) {
        b.set(x, y,
              {uint8_t(x * 255 / std::max(1, w - 1)), uint8_t(y * 255 / std::max(1, h - 1)),
               (x + y) % 2 ? uint8_t(0) : uint8_t(255), 255});
      }
    }
  }
  return b;
}

std::vector<const ResampleKernels*> AllKernels() {
  std::vector<const ResampleKernels*> k{&ScalarResampleKernels()};
  if (const ResampleKernels* sse2 = Sse2ResampleKernels()) k.push_back(sse2);
  return k;
}

struct SizePair {
  int sw, sh, dw, dh;
};

void ExpectMatchesReference(const std::vector<SizePair>& pairs) {
  uint32_t seed = 1;
  for (const SizePair& p : pairs) {
    const Bitmap src = TestPicture(p.sw, p.sh, seed++);
    const Bitmap want = Reference(src, p.dw, p.dh);
    for (const ResampleKernels* k : AllKernels()) {
      Bitmap b = src;
      ASSERT_TRUE(StretchBitmapToSize(b, p.dw, p.dh, *k));
      EXPECT_TRUE(NearlyEqual(b, want, 1))
          << k->name << ' ' << p.sw << 'x' << p.sh << " -> " << p.dw << 'x' << p.dh;
    }
  }
}

TEST(StretchTest, MatchesReferenceUpDownAndMixed) {
  ExpectMatchesReference({{16, 12, 37, 29},
                          {37, 29, 16, 12},
                          {40, 10, 13, 31},
                          {13, 31, 40, 10},
                          {64, 48, 63, 47},
                          {20, 20, 21, 60},
                          {50, 30, 50, 71},
                          {50, 30, 17, 30},
                          {33, 35, 33, 9}});
}

TEST(StretchTest, MatchesReferenceForTinySizes) {
  std::vector<SizePair> pairs{{1, 1, 5, 3}, {1, 1, 1, 9}, {9, 1, 1, 1}, {5, 7, 1, 1},
                              {1, 6, 4, 1}, {2, 2, 3, 3}, {3, 3, 2, 2}};
  for (int sw = 1; sw <= 7; ++sw) {
    for (int dw = 1; dw <= 7; ++dw) pairs.push_back({sw, 3, dw, 5});
  }
  ExpectMatchesReference(pairs);
}

TEST(StretchTest, MatchesReferenceForLargeRatios) {
  ExpectMatchesReference({{100, 50, 1280, 1024}, {1280, 1024, 3, 2}, {3, 700, 900, 2}});
}

TEST(StretchTest, MatchesReferenceForRandomSmallSizes) {
  std::mt19937 rng(2024);
  std::vector<SizePair> pairs;
  for (int i = 0; i < 60; ++i) {
    pairs.push_back(
        {int(rng() % 40) + 1, int(rng() % 40) + 1, int(rng() % 90) + 1, int(rng() % 90) + 1});
  }
  ExpectMatchesReference(pairs);
}

TEST(StretchTest, KernelSetsGiveIdenticalResults) {
  // Widths chosen so that every unrolled tap count (2 to 16) and the generic
  // loop are used.
  const std::vector<SizePair> pairs{{123, 77, 301, 190}, {123, 77, 100, 33}, {123, 77, 82, 77},
                                    {123, 77, 70, 200},  {123, 77, 61, 9},   {123, 77, 52, 50},
                                    {123, 77, 45, 76},   {123, 77, 41, 33},  {123, 77, 123, 200},
                                    {123, 77, 7, 77},    {1, 5, 9, 4},       {3, 4, 10, 3}};
  std::set<int> tapCounts;
  for (const SizePair& p : pairs) {
    if (p.sw != p.dw) tapCounts.insert(BuildLanczosWeights(p.sw, p.dw, size_t(1) << 30)->taps);
    const Bitmap src = TestPicture(p.sw, p.sh, uint32_t(p.dw));
    Bitmap scalar = src, best = src;
    ASSERT_TRUE(StretchBitmapToSize(scalar, p.dw, p.dh, ScalarResampleKernels()));
    ASSERT_TRUE(StretchBitmapToSize(best, p.dw, p.dh));
    EXPECT_TRUE(NearlyEqual(best, scalar, 0))
        << BestResampleKernels().name << ' ' << p.sw << " -> " << p.dw << 'x' << p.dh;
  }
  for (int taps = 2; taps <= 16; taps += 2) EXPECT_TRUE(tapCounts.count(taps)) << taps;
  EXPECT_GT(*tapCounts.rbegin(), 16);
}

TEST(StretchTest, FlatPictureStaysFlat) {
  const Rgba c{17, 128, 250, 3};
  for (SizePair p : {SizePair{9, 5, 200, 3}, SizePair{300, 200, 7, 11}, SizePair{1, 1, 64, 64}}) {
    Bitmap b = *Bitmap::Create(p.sw, p.sh, c);
    ASSERT_TRUE(StretchBitmapToSize(b, p.dw, p.dh));
    EXPECT_TRUE(NearlyEqual(b, *Bitmap::Create(p.dw, p.dh, c)));
  }
}

TEST(StretchTest, AlphaIsResampledLikeAColour) {
  // Straight alpha, filtered on its own: the colour channels of a picture
  // whose alpha varies come out exactly as with opaque alpha.
  Bitmap varying = TestPicture(30, 20, 5);
  Bitmap opaque = varying;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) opaque.row(y)[x * 4 + 3] = 255;
  }
  ASSERT_TRUE(StretchBitmapToSize(varying, 47, 13));
  ASSERT_TRUE(StretchBitmapToSize(opaque, 47, 13));
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 47; ++x) {
      for (int c = 0; c < 3; ++c) EXPECT_EQ(varying.row(y)[x * 4 + c], opaque.row(y)[x * 4 + c]);
    }
  }
}

TEST(StretchTest, SizesBelowOneCountAsOne) {
  Bitmap b = TestPicture(10, 8, 3);
  ASSERT_TRUE(StretchBitmapToSize(b, 0, -5));
  EXPECT_EQ(b.width(), 1);
  EXPECT_EQ(b.height(), 1);
  b = TestPicture(10, 8, 3);
  ASSERT_TRUE(StretchBitmapToSize(b, 4, 0));
  EXPECT_EQ(b.width(), 4);
  EXPECT_EQ(b.height(), 1);
}

TEST(StretchTest, EmptySourceGivesTransparentBlack) {
  Bitmap b;
  ASSERT_TRUE(StretchBitmapToSize(b, 6, 4));
  EXPECT_EQ(b, *Bitmap::Create(6, 4));
  Bitmap noRows = *Bitmap::Create(5, 0);
  ASSERT_TRUE(StretchBitmapToSize(noRows, 2, 3));
  EXPECT_EQ(noRows, *Bitmap::Create(2, 3));
}

TEST(StretchTest, SameSizeKeepsThePicture) {
  Bitmap b = TestPicture(12, 9, 8);
  const Bitmap before = b;
  ASSERT_TRUE(StretchBitmapToSize(b, 12, 9));
  EXPECT_EQ(b, before);
}

TEST(StretchTest, AbsurdSizesAreRefusedAndLeaveTheBitmapAlone) {
  Bitmap b = TestPicture(4, 4, 2);
  const Bitmap before = b;
  EXPECT_FALSE(StretchBitmapToSize(b, kMaxStretchSide + 1, 10));
  EXPECT_FALSE(StretchBitmapToSize(b, 10, 2147483647));
  EXPECT_FALSE(StretchBitmapToSize(b, kMaxStretchSide, kMaxStretchSide));
  EXPECT_EQ(b, before);
}

TEST(LanczosWeightsTest, EachOutputSumsToOneAndWindowsMoveForwardInsideTheSource) {
  for (auto [in, out] : {std::pair{10, 37},
                         {37, 10},
                         {5, 5},
                         {1, 7},
                         {7, 1},
                         {1280, 3},
                         {3, 4},
                         {20, 60},
                         {20, 21}}) {
    const std::optional<AxisWeights> w = BuildLanczosWeights(in, out, size_t(1) << 30);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->taps % 2, 0);
    for (int i = 0; i < out; ++i) {
      int sum = 0;
      for (int k = 0; k < w->taps; ++k) sum += w->coefOf(i)[k];
      EXPECT_EQ(sum, 1 << kWeightBits) << in << "->" << out << " output " << i;
      if (i > 0) {
        EXPECT_GE(w->first[size_t(i)], w->first[size_t(i) - 1]);
      }
      if (in >= w->taps) {
        EXPECT_GE(w->first[size_t(i)], 0);
        EXPECT_LE(w->first[size_t(i)] + w->taps, in);
      } else {
        EXPECT_EQ(w->first[size_t(i)], 0);
      }
    }
  }
  EXPECT_FALSE(BuildLanczosWeights(1000000, 1000000, 1 << 20));
}

}  // namespace
}  // namespace moravel
