// Limits passed down a decode call: every reader takes a picture at them and
// refuses one a pixel over, and icon files pass over entries over them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "codecs/DibBytes.h"
#include "codecs/IcoCodec.h"
#include "codecs/IconBytes.h"
#include "codecs/PictureFile.h"
#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"
#include "support/TestPictures.h"

namespace moravel {
namespace {

using testing::ReadBytes;
using testing::TestData;

std::vector<uint8_t> Png(int width, int height) {
  return test::PngBytes(*Bitmap::Create(width, height, {1, 2, 3, 255}));
}

std::vector<uint8_t> Bmp(int width, int height) {
  testing::DibLayout layout{.width = width, .height = height, .bits = 8};
  layout.palette = {{255, 0, 0, 255}};
  layout.pixels = testing::Rows(std::vector(size_t(height), std::vector<uint8_t>(size_t(width))));
  return testing::BmpFile(layout);
}

TEST(PictureLimitsTest, EveryReaderTakesAPictureAtTheLimitsAndRefusesOneOver) {
  using Decode = std::function<Result<Bitmap>(const std::vector<uint8_t>&, const PictureLimits&)>;
  const auto as = [](PictureFormat format) -> Decode {
    return [format](const auto& bytes, const auto& limits) {
      return DecodePicture(format, bytes, limits);
    };
  };
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    int width, height;
    Decode decode;
  } cases[] = {
      {"png", Png(5, 3), 5, 3, as(PictureFormat::Png)},
      {"png through libpng", Png(5, 3), 5, 3,
       [](const auto& bytes, const auto& limits) { return DecodePngWithLibpng(bytes, limits); }},
      {"jpeg", ReadBytes(TestData("codecs/rgb.jpg")), 32, 24, as(PictureFormat::Jpeg)},
      {"gif", ReadBytes(TestData("codecs/offset.gif")), 8, 6, as(PictureFormat::Gif)},
      {"bmp", Bmp(5, 3), 5, 3, as(PictureFormat::Bmp)},
      {"ico of a bitmap", testing::IcoFile({testing::PlainEntry(5, 3, 32, {1, 2, 3, 255})}), 5, 3,
       as(PictureFormat::Ico)},
      {"ico of a png", testing::IcoFile({testing::PlainPngEntry(5, 3, {1, 2, 3, 255})}), 5, 3,
       as(PictureFormat::Ico)},
  };
  for (const auto& c : cases) {
    const int64_t side = std::max(c.width, c.height), pixels = int64_t(c.width) * c.height;
    const Result<Bitmap> at = c.decode(c.bytes, {.maxSide = side, .maxPixels = pixels});
    ASSERT_TRUE(at.ok()) << c.name << ": " << at.error().message;
    EXPECT_EQ(at->width(), c.width) << c.name;
    EXPECT_EQ(at->height(), c.height) << c.name;
    for (const PictureLimits over :
         {PictureLimits{.maxSide = side - 1}, PictureLimits{.maxPixels = pixels - 1}}) {
      const Result<Bitmap> r = c.decode(c.bytes, over);
      ASSERT_FALSE(r.ok()) << c.name << " within " << over.maxSide << " a side, " << over.maxPixels
                           << " pixels";
      EXPECT_FALSE(r.error().message.empty()) << c.name;
      EXPECT_EQ(r.error().kind, ErrorKind::kTooLarge) << c.name << ": " << r.error().message;
    }
  }
}

TEST(PictureLimitsTest, IconFilesPassOverEntriesOverTheLimits) {
  const std::vector<uint8_t> ico = testing::IcoFile(
      {testing::PlainEntry(16, 16, 32, {200, 0, 0, 255}), testing::PlainEntry(64, 64, 32, {})});
  const PictureLimits upTo32{.maxSide = 32};
  for (const Result<Bitmap>& r : {DecodeIco(ico, upTo32), DecodeIcoNearest(ico, 64, upTo32)}) {
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_EQ(r->width(), 16);
    EXPECT_EQ(r->at(0, 0), (Rgba{200, 0, 0, 255}));
  }
  EXPECT_FALSE(DecodeIcoNearest(ico, 64, {.maxSide = 15}).ok());
}

}  // namespace
}  // namespace moravel
