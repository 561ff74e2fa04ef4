#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "raster/CpuFeatures.h"
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
  const ResampleKernels* avx2 = Avx2ResampleKernels();
  if (avx2 && CpuHasAvx2()) k.push_back(avx2);
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
  // 1800 x 1200 is made in two halves at once.
  ExpectMatchesReference(
      {{100, 50, 1280, 1024}, {1280, 1024, 3, 2}, {3, 700, 900, 2}, {40, 30, 1800, 1200}});
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

// The SIMD sets must give the scalar loops' results bit for bit.
class StretchKernelSetTest : public ::testing::TestWithParam<std::string> {
 protected:
  // The set named by the parameter, or nullptr (with `why` set) when this
  // build or this processor cannot run it.
  static const ResampleKernels* Kernels(const std::string& name, std::string& why) {
    const ResampleKernels* k = name == "avx2" ? Avx2ResampleKernels() : Sse2ResampleKernels();
    if (!k) why = "this build has no " + name + " kernels";
    if (k && name == "avx2" && !CpuHasAvx2()) why = "this processor has no AVX2", k = nullptr;
    return k;
  }
};

TEST_P(StretchKernelSetTest, GivesResultsIdenticalToScalar) {
  std::string why;
  const ResampleKernels* kernels = Kernels(GetParam(), why);
  if (!kernels) GTEST_SKIP() << why;
  // Widths chosen so that every unrolled tap count (2 to 16) and the generic
  // loop are used, with odd output widths (a pixel left over after the pairs
  // and after the blocks of eight), one axis kept (the widen and narrow
  // loops) and tiny sources padded up to the taps.
  const std::vector<SizePair> pairs{
      {123, 77, 301, 190}, {123, 77, 100, 33}, {123, 77, 82, 77}, {123, 77, 70, 200},
      {123, 77, 61, 9},    {123, 77, 52, 50},  {123, 77, 45, 76}, {123, 77, 41, 33},
      {123, 77, 123, 200}, {123, 77, 7, 77},   {1, 5, 9, 4},      {3, 4, 10, 3},
      {1, 1, 3, 2},        {2, 3, 5, 7},       {5, 2, 1, 1},      {4, 4, 4, 9},
      {9, 3, 37, 3},       {13, 11, 9, 13},    {640, 9, 13, 5},   {2560, 16, 1280, 11}};
  std::set<int> tapCounts;
  for (const SizePair& p : pairs) {
    if (p.sw != p.dw) tapCounts.insert(BuildLanczosWeights(p.sw, p.dw, size_t(1) << 30)->taps);
    const Bitmap src = TestPicture(p.sw, p.sh, uint32_t(p.dw));
    Bitmap scalar = src, simd = src;
    ASSERT_TRUE(StretchBitmapToSize(scalar, p.dw, p.dh, ScalarResampleKernels()));
    ASSERT_TRUE(StretchBitmapToSize(simd, p.dw, p.dh, *kernels));
    EXPECT_TRUE(NearlyEqual(simd, scalar, 0))
        << kernels->name << ' ' << p.sw << 'x' << p.sh << " -> " << p.dw << 'x' << p.dh;
  }
  for (int taps = 2; taps <= 16; taps += 2) EXPECT_TRUE(tapCounts.count(taps)) << taps;
  EXPECT_GT(*tapCounts.rbegin(), 16);
}

INSTANTIATE_TEST_SUITE_P(Sets, StretchKernelSetTest, ::testing::Values("sse2", "avx2"),
                         [](const auto& info) { return info.param; });

TEST(StretchTest, BestKernelsAreTheWidestTheProcessorRuns) {
  EXPECT_STREQ(BestResampleKernels().name, CpuHasAvx2() ? "avx2" : "sse2");
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

TEST(LanczosWeightsTest, WeightsAreTheNormalisedFilterRounded) {
  // Sizes whose windows repeat every 1, 2, 15, 16 or 683 outputs, large
  // ratios, and sizes smaller than the filter.
  for (auto [in, out] : {std::pair{1920, 3840},
                         {2560, 1280},
                         {1600, 1024},
                         {1024, 1920},
                         {640, 1366},
                         {1280, 3},
                         {3, 700},
                         {2666, 214},
                         {7, 3}}) {
    const std::optional<AxisWeights> w = BuildLanczosWeights(in, out, size_t(1) << 30);
    ASSERT_TRUE(w);
    for (int i = 0; i < out; ++i) {
      std::vector<double> want(size_t(w->taps), 0.0);
      for (const Tap& t : RefTaps(in, out, i)) {
        const int k = t.index - w->first[size_t(i)];
        ASSERT_TRUE(k >= 0 && k < w->taps) << in << "->" << out << " output " << i;
        want[size_t(k)] = t.weight * (1 << kWeightBits);
      }
      // Each weight is rounded; the rounding residue goes to the largest one
      // (either of two equal ones).
      const double largest = *std::max_element(want.begin(), want.end());
      for (size_t k = 0; k < want.size(); ++k) {
        if (want[k] > largest - 1e-6) continue;
        EXPECT_NEAR(w->coefOf(i)[k], want[k], 0.5 + 1e-6)
            << in << "->" << out << " output " << i << " tap " << k;
      }
    }
  }
}

}  // namespace
}  // namespace moravel
