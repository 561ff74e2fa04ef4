#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/GifCodec.h"
#include "codecs/PixelFixtures.h"

namespace moravel {
namespace {

using testing::PixelsNear;
using testing::ReadBytes;
using testing::ReadIntArray;
using testing::TestData;

std::vector<uint8_t> Fixture(const std::string& name) {
  return ReadBytes(TestData("codecs/" + name + ".gif"));
}

// tests/data/codecs/<name>.gif and the pixels drawn into it, <name>.json.
class GifFixtures : public ::testing::TestWithParam<std::string> {};

TEST_P(GifFixtures, DecodeToTheDrawnPixels) {
  const auto expected = ReadIntArray(TestData("codecs/" + GetParam() + ".json"));
  ASSERT_TRUE(expected.has_value());
  const Result<Bitmap> result = DecodeGif(Fixture(GetParam()));
  ASSERT_TRUE(result.ok()) << result.error().message;
  EXPECT_TRUE(PixelsNear(*result, *expected, 0));
}

INSTANTIATE_TEST_SUITE_P(Codecs, GifFixtures,
                         ::testing::Values("transparent",  // index from the control block
                                           "interlaced",   // 11 rows over all four passes
                                           "offset",       // 3 x 2 frame at (4, 3) on 8 x 6
                                           "localmap",     // local colours override global
                                           "twoframes",    // the second frame is ignored
                                           "outofrange"),  // index 200 of 2 colours: black
                         [](const auto& info) { return info.param; });

TEST(GifDecode, RefusesAFrameWithoutColours) {
  const Result<Bitmap> result = DecodeGif(Fixture("nomap"));
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error().message.find("colour map"), std::string::npos) << result.error().message;
}

TEST(GifDecode, RefusesEveryTruncationBeforeTheTrailer) {
  for (const char* name : {"interlaced", "offset", "transparent"}) {
    const std::vector<uint8_t> file = Fixture(name);
    ASSERT_EQ(file.back(), ';');
    // Only the trailer may be missing: the frame is complete without it.
    EXPECT_TRUE(DecodeGif(std::span(file.data(), file.size() - 1)).ok()) << name;
    for (size_t length = 0; length + 1 < file.size(); ++length) {
      const Result<Bitmap> result = DecodeGif(std::span(file.data(), length));
      EXPECT_FALSE(result.ok()) << name << " cut to " << length << " bytes";
    }
  }
}

TEST(GifDecode, RefusesGarbage) {
  std::vector<uint8_t> noise(300);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 151 + 3);
  std::vector<uint8_t> noisyTail = {'G', 'I', 'F', '8', '9', 'a'};
  noisyTail.insert(noisyTail.end(), noise.begin(), noise.end());
  const std::vector<uint8_t> png = ReadBytes(TestData("codecs/ico/pil-48.png"));
  // A header and screen with no image at all.
  const std::vector<uint8_t> noImage = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'};
  for (const auto& bytes : {std::vector<uint8_t>{}, noise, noisyTail, png, noImage}) {
    const Result<Bitmap> result = DecodeGif(bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().message.empty());
  }
}

void SetScreen(std::vector<uint8_t>& gif, int width, int height) {
  gif[6] = uint8_t(width), gif[7] = uint8_t(width >> 8);
  gif[8] = uint8_t(height), gif[9] = uint8_t(height >> 8);
}

TEST(GifDecode, RefusesAnOversizeScreen) {
  for (auto [width, height] : {std::pair{20000, 10}, {10, 20000}, {12000, 12000}}) {
    std::vector<uint8_t> file = Fixture("transparent");
    SetScreen(file, width, height);
    const Result<Bitmap> result = DecodeGif(file);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().message.find("too large"), std::string::npos)
        << result.error().message;
  }
}

// Some writers leave the screen smaller than the frame, or 0 x 0: the canvas
// grows to hold the whole frame at its offset.
TEST(GifDecode, GrowsTheCanvasToHoldTheFrame) {
  std::vector<uint8_t> file = Fixture("offset");
  const Result<Bitmap> reference = DecodeGif(file);
  ASSERT_TRUE(reference.ok()) << reference.error().message;
  for (auto [width, height] : {std::pair{0, 0}, {2, 2}, {7, 1}}) {
    SetScreen(file, width, height);
    const Result<Bitmap> result = DecodeGif(file);
    ASSERT_TRUE(result.ok()) << result.error().message;
    ASSERT_EQ(result->width(), 7);   // frame at x 4, 3 wide
    ASSERT_EQ(result->height(), 5);  // frame at y 3, 2 high
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) EXPECT_EQ(result->at(x, y), reference->at(x, y));
    }
  }
}

}  // namespace
}  // namespace moravel
