#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "codecs/PixelFixtures.h"
#include "codecs/PlainPngDecoder.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

using testing::ReadBytes;

// Whatever the plain path reads, libpng reads the same; true when it read it.
bool ReadsAsLibpng(const std::vector<uint8_t>& file, const std::string& what) {
  const std::optional<Bitmap> plain = DecodePlainPng(file);
  if (!plain) return false;
  const Result<Bitmap> full = DecodePngWithLibpng(file);
  EXPECT_TRUE(full.ok()) << what << ": libpng refuses what the plain path reads";
  if (full.ok()) {
    EXPECT_EQ(*plain, *full) << what;
  }
  return true;
}

void AppendChunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t n = uint32_t(data.size());
  file.insert(file.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
  const size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  const uint32_t crc = uint32_t(crc32(0, file.data() + start, uInt(file.size() - start)));
  file.insert(file.end(),
              {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
}

// A PNG of random samples whose rows take the five filters in turn, with a
// text chunk before the image data or, with `textBetween`, amid it.
std::vector<uint8_t> FilteredFile(int width, int height, uint8_t colourType, unsigned seed,
                                  bool textBetween = false) {
  const size_t bpp = colourType == 6 ? 4 : 3;
  std::vector<uint8_t> raw;
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    raw.push_back(uint8_t(y % 5));
    for (size_t i = 0; i < size_t(width) * bpp; ++i) raw.push_back(uint8_t(random()));
  }
  std::vector<uint8_t> deflated(compressBound(uLong(raw.size())));
  uLongf size = uLongf(deflated.size());
  compress(deflated.data(), &size, raw.data(), uLong(raw.size()));
  deflated.resize(size);
  std::vector<uint8_t> file = {137, 'P', 'N', 'G', 13, 10, 26, 10};
  AppendChunk(file, "IHDR",
              {0, 0, 0, uint8_t(width), 0, 0, 0, uint8_t(height), 8, colourType, 0, 0, 0});
  const std::vector<uint8_t> text = {'N', 'o', 't', 'e', 0, 'x'};
  if (!textBetween) AppendChunk(file, "tEXt", text);
  // The image data in two chunks, as encoders often split it.
  const auto half = deflated.begin() + ptrdiff_t(deflated.size() / 2);
  AppendChunk(file, "IDAT", {deflated.begin(), half});
  if (textBetween) AppendChunk(file, "tEXt", text);
  AppendChunk(file, "IDAT", {half, deflated.end()});
  AppendChunk(file, "IEND", {});
  return file;
}

// Every filter is read as libpng reads it. Damage inside a chunk whose CRC
// is mended reaches the header checks, the inflater and the filters: the
// plain path reads only what libpng reads the same, and leaves image data
// split by another chunk to libpng.
TEST(PlainPngDecoder, ReadsWhatLibpngReadsTheSameAndLeavesTheRest) {
  for (uint8_t colour : {uint8_t(6), uint8_t(2)}) {
    const std::string what = "colour " + std::to_string(colour);
    EXPECT_TRUE(ReadsAsLibpng(FilteredFile(13, 11, colour, colour), what)) << what;
    EXPECT_FALSE(ReadsAsLibpng(FilteredFile(5, 6, colour, 3, true), what + ", text amid"));
    const std::vector<uint8_t> file = FilteredFile(5, 6, colour, 3);
    int read = 0;
    for (size_t at = 8; at + 12 <= file.size();) {
      const size_t length = size_t(file[at + 2]) << 8 | file[at + 3];  // all below 64 KB
      for (size_t i = at + 4; i < at + 8 + length; ++i) {
        for (uint8_t flip : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xff)}) {
          std::vector<uint8_t> damaged = file;
          damaged[i] ^= flip;
          const uint32_t crc = uint32_t(crc32(0, damaged.data() + at + 4, uInt(length + 4)));
          for (int k = 0; k < 4; ++k)
            damaged[at + 8 + length + size_t(k)] = uint8_t(crc >> (24 - 8 * k));
          read += ReadsAsLibpng(damaged, what + ", byte " + std::to_string(i));
        }
      }
      at += length + 12;
    }
    EXPECT_GT(read, 0) << "no damage left a readable file: the comparison saw nothing";
  }
}

// The skins' pictures are what the plain path is for (PngSuite goes through
// it in the codec's own tests).
TEST(PlainPngDecoder, ReadsEveryBundledSkinPictureAsLibpng) {
  int read = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(
           std::filesystem::path(MORAVEL_SOURCE_DIR) / "skins")) {
    if (entry.path().extension() != ".png") continue;
    EXPECT_TRUE(ReadsAsLibpng(ReadBytes(entry.path()), entry.path().string())) << entry.path();
    ++read;
  }
  EXPECT_GT(read, 30);
}

}  // namespace
}  // namespace moravel
