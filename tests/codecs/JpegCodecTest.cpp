#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "codecs/JpegCodec.h"
#include "codecs/PixelFixtures.h"

namespace moravel {
namespace {

using testing::PixelsNear;
using testing::ReadBytes;
using testing::ReadIntArray;
using testing::TestData;

// JPEG blurs colour edges, so pixels are compared only where the drawn picture
// is flat for `margin` pixels around them.
bool FlatAround(const std::vector<long>& rgba, int width, int height, int x, int y, int margin) {
  const auto at = [&](int px, int py) {
    return &rgba[(size_t(py) * size_t(width) + size_t(px)) * 4];
  };
  const long* centre = at(x, y);
  for (int dy = -margin; dy <= margin; ++dy) {
    for (int dx = -margin; dx <= margin; ++dx) {
      const int px = x + dx, py = y + dy;
      if (px < 0 || py < 0 || px >= width || py >= height) continue;
      const long* other = at(px, py);
      for (int c = 0; c < 3; ++c) {
        if (other[c] != centre[c]) return false;
      }
    }
  }
  return true;
}

struct JpegFixture {
  const char* name;  // tests/data/codecs/<name>.jpg and the drawn pixels in <name>.json
  int width, height;
  int margin;     // distance from colour edges that is not compared
  int tolerance;  // per channel
};

class JpegFixtures : public ::testing::TestWithParam<JpegFixture> {};

TEST_P(JpegFixtures, DecodeNearTheDrawnColours) {
  const JpegFixture& f = GetParam();
  const auto expected = ReadIntArray(TestData(std::string("codecs/") + f.name + ".json"));
  ASSERT_TRUE(expected.has_value());
  const Result<Bitmap> result =
      DecodeJpeg(ReadBytes(TestData(std::string("codecs/") + f.name + ".jpg")));
  ASSERT_TRUE(result.ok()) << result.error().message;
  ASSERT_EQ(result->width(), f.width);
  ASSERT_EQ(result->height(), f.height);
  EXPECT_TRUE(PixelsNear(*result, *expected, f.tolerance, [&](int x, int y) {
    return FlatAround(*expected, f.width, f.height, x, y, f.margin);
  }));
  // Opaque everywhere, edges included.
  for (size_t i = 3; i < result->byteCount(); i += 4) {
    ASSERT_EQ(result->data()[i], 255) << "alpha at byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Codecs, JpegFixtures,
                         ::testing::Values(JpegFixture{"rgb", 32, 24, 0, 4},
                                           JpegFixture{"grey", 24, 16, 0, 4},
                                           JpegFixture{"progressive", 48, 32, 3, 4},
                                           JpegFixture{"cmyk", 16, 16, 0, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecode, RefusesEveryTruncation) {
  for (const char* name : {"rgb", "progressive"}) {
    const std::vector<uint8_t> file = ReadBytes(TestData(std::string("codecs/") + name + ".jpg"));
    ASSERT_TRUE(DecodeJpeg(file).ok()) << name;
    for (size_t length = 0; length < file.size(); ++length) {
      const Result<Bitmap> result = DecodeJpeg(std::span(file.data(), length));
      EXPECT_FALSE(result.ok()) << name << " cut to " << length << " bytes";
    }
  }
}

TEST(JpegDecode, RefusesGarbage) {
  std::vector<uint8_t> noise(400);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 97 + 13);
  std::vector<uint8_t> noisyTail = {0xff, 0xd8};
  noisyTail.insert(noisyTail.end(), noise.begin(), noise.end());
  const std::vector<uint8_t> png = ReadBytes(TestData("codecs/ico/pil-48.png"));
  for (const auto& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>{0xff, 0xd8, 0xff, 0xd9},
                            noise, noisyTail, png}) {
    const Result<Bitmap> result = DecodeJpeg(bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().message.empty());
  }
}

// Offset of the byte after the marker segment or scan starting at `at`
// (which holds 0xFF, marker). A scan runs on to the next marker that is not
// a restart marker.
size_t SegmentEnd(const std::vector<uint8_t>& jpeg, size_t at) {
  const size_t length = size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
  size_t end = at + 2 + length;
  if (jpeg[at + 1] != 0xda) return end;
  while (end + 1 < jpeg.size() &&
         !(jpeg[end] == 0xff && jpeg[end + 1] != 0 && (jpeg[end + 1] & 0xf8) != 0xd0)) {
    ++end;
  }
  return end;
}

// progressive.jpg with its first scan (the DC scan) repeated `copies` times.
std::vector<uint8_t> RepeatFirstScan(int copies) {
  const std::vector<uint8_t> file = ReadBytes(TestData("codecs/progressive.jpg"));
  size_t at = 2;  // after SOI
  while (at + 4 < file.size() && file[at + 1] != 0xda) at = SegmentEnd(file, at);
  const size_t end = SegmentEnd(file, at);
  std::vector<uint8_t> out(file.begin(), file.begin() + std::ptrdiff_t(end));
  for (int i = 0; i < copies; ++i)
    out.insert(out.end(), file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(end));
  out.insert(out.end(), file.begin() + std::ptrdiff_t(end), file.end());
  return out;
}

TEST(JpegDecode, RefusesFilesWithTooManyScans) {
  const Result<Bitmap> few = DecodeJpeg(RepeatFirstScan(5));
  ASSERT_TRUE(few.ok()) << few.error().message;
  const Result<Bitmap> many = DecodeJpeg(RepeatFirstScan(600));
  ASSERT_FALSE(many.ok());
  EXPECT_NE(many.error().message.find("scans"), std::string::npos) << many.error().message;
}

TEST(JpegDecode, RefusesOversizePicturesFromTheHeader) {
  std::vector<uint8_t> file = ReadBytes(TestData("codecs/rgb.jpg"));
  size_t at = 2;
  while (at + 8 < file.size() && file[at + 1] != 0xc0) at = SegmentEnd(file, at);
  ASSERT_LT(at + 8, file.size()) << "no SOF0 segment";
  // SOF0: length (2), precision (1), height (2), width (2).
  for (auto [width, height] : {std::pair{20000, 10}, {10, 20000}, {12000, 12000}}) {
    std::vector<uint8_t> big = file;
    big[at + 5] = uint8_t(height >> 8), big[at + 6] = uint8_t(height);
    big[at + 7] = uint8_t(width >> 8), big[at + 8] = uint8_t(width);
    // A reduced decode would fit, but the full size is over the limits.
    for (const PictureLimits& limits : {PictureLimits{}, PictureLimits{.jpegMinSide = 1}}) {
      const Result<Bitmap> result = DecodeJpeg(big, limits);
      ASSERT_FALSE(result.ok());
      EXPECT_NE(result.error().message.find("too large"), std::string::npos)
          << result.error().message;
    }
  }
}

// The mean of each colour channel over the whole picture.
std::array<double, 3> MeanColour(const Bitmap& picture) {
  std::array<double, 3> sum{};
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      for (int c = 0; c < 3; ++c) sum[size_t(c)] += picture.row(y)[4 * x + c];
  for (double& s : sum) s /= double(picture.width()) * picture.height();
  return sum;
}

TEST(JpegDecode, ReducesWhileBothSidesKeepTheAskedSize) {
  const std::vector<uint8_t> file = ReadBytes(TestData("codecs/rgb.jpg"));  // 32 x 24
  const Result<Bitmap> full = DecodeJpeg(file);
  ASSERT_TRUE(full.ok()) << full.error().message;
  const struct {
    int minSide;
    int width, height;
  } cases[] = {{0, 32, 24},  {24, 32, 24}, {25, 32, 24}, {12, 16, 12},
               {11, 16, 12}, {6, 8, 6},    {5, 8, 6},    {1, 4, 3}};  // 1/8 at most
  for (const auto& c : cases) {
    const Result<Bitmap> r = DecodeJpeg(file, {.jpegMinSide = c.minSide});
    ASSERT_TRUE(r.ok()) << c.minSide << ": " << r.error().message;
    EXPECT_EQ(r->width(), c.width) << c.minSide;
    EXPECT_EQ(r->height(), c.height) << c.minSide;
    const auto mean = MeanColour(*r), fullMean = MeanColour(*full);
    for (size_t ch = 0; ch < 3; ++ch) EXPECT_NEAR(mean[ch], fullMean[ch], 3.0) << c.minSide;
    EXPECT_TRUE(r->opaque()) << c.minSide;
  }
  // The bounds apply to the reduced size.
  EXPECT_TRUE(DecodeJpeg(file, {.maxPixels = 16 * 12, .jpegMinSide = 12}).ok());
  EXPECT_FALSE(DecodeJpeg(file, {.maxPixels = 16 * 12 - 1, .jpegMinSide = 12}).ok());
}

}  // namespace
}  // namespace moravel
