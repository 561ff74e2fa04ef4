#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

using testing::PixelsNear;
using testing::ReadBytes;
using testing::ReadIntArray;
using testing::SharedTestData;

// PngSuite's files, the deliberately corrupt x*.png or the others, by stem.
std::vector<std::string> SuiteNames(bool corrupt) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry :
       std::filesystem::directory_iterator(SharedTestData("pngsuite/png"), ec)) {
    const std::string stem = entry.path().stem().string();
    if (entry.path().extension() == ".png" && (stem[0] == 'x') == corrupt) names.push_back(stem);
  }
  if (ec) return {testing::kSharedFolderAbsent};
  std::sort(names.begin(), names.end());
  return names;
}

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

// Reference pixels in 8 bits: <name>.json, or for 16-bit files <name>_to8.json
// when there is one, else the 16-bit values divided by 257.
std::vector<long> ExpectedPixels(const std::string& name, bool sixteenBit) {
  const auto json = [&](const std::string& file) {
    return SharedTestData("pngsuite/json/" + file);
  };
  if (!sixteenBit) return ReadIntArray(json(name + ".json")).value_or(std::vector<long>{});
  if (auto to8 = ReadIntArray(json(name + "_to8.json"))) return *to8;
  std::vector<long> values = ReadIntArray(json(name + ".json")).value_or(std::vector<long>{});
  for (long& v : values) v = std::lround(double(v) / 257.0);
  return values;
}

class PngSuiteGood : public ::testing::TestWithParam<std::string> {};

TEST_P(PngSuiteGood, DecodesToReferencePixels) {
  MORAVEL_SKIP_WITHOUT_SHARED("pngsuite");
  const std::vector<uint8_t> file =
      ReadBytes(SharedTestData("pngsuite/png/" + GetParam() + ".png"));
  ASSERT_GE(file.size(), 33u);
  const uint32_t width = BigEndian32(file, 16);  // from IHDR
  const bool sixteenBit = file[24] == 16;
  const std::vector<long> expected = ExpectedPixels(GetParam(), sixteenBit);
  ASSERT_FALSE(expected.empty()) << "no reference pixels";

  const Result<Bitmap> result = DecodePng(file);
  ASSERT_TRUE(result.ok()) << result.error().message;
  EXPECT_EQ(result->width(), int(width));
  EXPECT_TRUE(PixelsNear(*result, expected, 1));
}

INSTANTIATE_TEST_SUITE_P(PngSuite, PngSuiteGood, ::testing::ValuesIn(SuiteNames(false)),
                         [](const auto& info) { return info.param; });

class PngSuiteCorrupt : public ::testing::TestWithParam<std::string> {};

TEST_P(PngSuiteCorrupt, IsRefused) {
  MORAVEL_SKIP_WITHOUT_SHARED("pngsuite");
  const Result<Bitmap> result =
      DecodePng(ReadBytes(SharedTestData("pngsuite/png/" + GetParam() + ".png")));
  ASSERT_FALSE(result.ok());
  EXPECT_FALSE(result.error().message.empty());
}

INSTANTIATE_TEST_SUITE_P(PngSuite, PngSuiteCorrupt, ::testing::ValuesIn(SuiteNames(true)),
                         [](const auto& info) { return info.param; });

TEST(PngDecode, RefusesEveryTruncation) {
  MORAVEL_SKIP_WITHOUT_SHARED("pngsuite");
  for (const char* name : {"basn6a08", "basi0g04", "tbbn3p08"}) {
    const std::vector<uint8_t> file =
        ReadBytes(SharedTestData(std::string("pngsuite/png/") + name + ".png"));
    ASSERT_TRUE(DecodePng(file).ok()) << name;
    for (size_t length = 0; length < file.size(); ++length) {
      const Result<Bitmap> result = DecodePng(std::span(file.data(), length));
      EXPECT_FALSE(result.ok()) << name << " cut to " << length << " bytes";
    }
  }
}

// Flipping one data byte of a chunk breaks its CRC; critical or not, the file is refused.
TEST(PngDecode, RefusesAChunkWithABadCrc) {
  MORAVEL_SKIP_WITHOUT_SHARED("pngsuite");
  const std::vector<uint8_t> file = ReadBytes(SharedTestData("pngsuite/png/basn2c08.png"));
  ASSERT_TRUE(DecodePng(file).ok());
  for (const std::string type : {"IHDR", "gAMA", "IDAT", "IEND"}) {
    const auto at = std::search(file.begin(), file.end(), type.begin(), type.end());
    ASSERT_NE(at, file.end()) << type;
    std::vector<uint8_t> damaged = file;
    // IEND has no data: damage its CRC instead.
    damaged[size_t(at - file.begin()) + 4] ^= 0x01;
    EXPECT_FALSE(DecodePng(damaged).ok()) << type;
  }
}

void AppendChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  const auto put32 = [&](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(uint8_t(v >> shift));
  };
  put32(uint32_t(data.size()));
  const size_t typeAt = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  put32(uint32_t(crc32(0, png.data() + typeAt, uInt(png.size() - typeAt))));
}

// An 8-bit greyscale PNG of width x height whose IDAT holds only `dataRows` rows.
std::vector<uint8_t> GreyPng(uint32_t width, uint32_t height, uint32_t dataRows) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> ihdr;
  for (uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(uint8_t(v >> shift));
  }
  ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
  AppendChunk(png, "IHDR", ihdr);
  std::vector<uint8_t> rows(size_t(width + 1) * dataRows, 0x80);
  for (size_t r = 0; r < dataRows; ++r) rows[r * (width + 1)] = 0;  // filter: none
  uLongf packedSize = compressBound(uLong(rows.size()));
  std::vector<uint8_t> packed(packedSize);
  EXPECT_EQ(compress(packed.data(), &packedSize, rows.data(), uLong(rows.size())), Z_OK);
  packed.resize(packedSize);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
}

TEST(PngDecode, RefusesOversizePicturesFromTheHeader) {
  // The same construction at an allowed size decodes: the file is well formed.
  const Result<Bitmap> small = DecodePng(GreyPng(20, 10, 10));
  ASSERT_TRUE(small.ok()) << small.error().message;
  EXPECT_EQ(small->at(3, 4), (Rgba{0x80, 0x80, 0x80, 0xff}));

  // The oversize files carry one row of data: a decoder that allocated the
  // picture first would fail later with a complaint about missing data.
  for (auto [width, height] : {std::pair{20000u, 10u}, {10u, 20000u}, {12000u, 12000u}}) {
    const Result<Bitmap> result = DecodePng(GreyPng(width, height, 1));
    ASSERT_FALSE(result.ok()) << width << " x " << height;
    EXPECT_TRUE(result.error().message.find("large") != std::string::npos ||
                result.error().message.find("limit") != std::string::npos)
        << width << " x " << height << ": " << result.error().message;
  }
}

TEST(PngDecode, RefusesGarbage) {
  const std::vector<uint8_t> signatureOnly = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> noise(300);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 131 + 7);
  std::vector<uint8_t> noisyTail = signatureOnly;
  noisyTail.insert(noisyTail.end(), noise.begin(), noise.end());
  for (const auto& bytes : {std::vector<uint8_t>{}, signatureOnly, noise, noisyTail}) {
    const Result<Bitmap> result = DecodePng(bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().message.empty());
  }
}

// A picture with every alpha level, including colour under alpha 0.
Bitmap Sample(int width, int height) {
  Bitmap b = *Bitmap::Create(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      b.set(x, y,
            {uint8_t(x * 7 + y), uint8_t(y * 13), uint8_t((x ^ y) * 5), uint8_t(x * 31 + y * 3)});
    }
  }
  return b;
}

class PngRoundTrip : public ::testing::TestWithParam<std::tuple<PngSpeed, int, int>> {};

TEST_P(PngRoundTrip, KeepsEveryPixel) {
  const auto [speed, width, height] = GetParam();
  const Bitmap picture = Sample(width, height);
  const Result<std::vector<uint8_t>> file = EncodePng(picture, speed);
  ASSERT_TRUE(file.ok()) << file.error().message;
  const Result<Bitmap> decoded = DecodePng(*file);
  ASSERT_TRUE(decoded.ok()) << decoded.error().message;
  EXPECT_EQ(*decoded, picture);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngRoundTrip,
                         ::testing::Combine(::testing::Values(PngSpeed::Fast, PngSpeed::Small),
                                            ::testing::Values(1, 37), ::testing::Values(1, 64)));

TEST(PngEncode, RefusesAnEmptyPicture) {
  const Result<std::vector<uint8_t>> file = EncodePng(Bitmap(), PngSpeed::Small);
  ASSERT_FALSE(file.ok());
  EXPECT_EQ(file.error().kind, ErrorKind::kEmpty);
  EXPECT_FALSE(file.error().message.empty());
}

}  // namespace
}  // namespace moravel
