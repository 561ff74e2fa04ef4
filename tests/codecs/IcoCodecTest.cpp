// The icon reader: PNG and bitmap entries, the AND mask, which entry wins, and
// damaged files. Icons are written here byte by byte, plus one made by PIL.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/DibBytes.h"
#include "codecs/IcoCodec.h"
#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

using testing::DibBytes;
using testing::DibLayout;
using testing::PutLe16;
using testing::PutLe32;
using testing::ReadBytes;
using testing::Rows;
using testing::TestData;

// An icon file holding `entries` in this order. The directory's own size and
// depth bytes are left 0: the reader takes them from the entries' data.
std::vector<uint8_t> IcoFile(const std::vector<std::vector<uint8_t>>& entries) {
  std::vector<uint8_t> out;
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, uint32_t(entries.size()));
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const auto& e : entries) {
    out.insert(out.end(), {0, 0, 0, 0});
    PutLe16(out, 1);
    PutLe16(out, 0);
    PutLe32(out, uint32_t(e.size()));
    PutLe32(out, offset);
    offset += uint32_t(e.size());
  }
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

// A bitmap entry: the colour rows and the 1-bit AND rows, both bottom row
// first, under a header whose height counts both.
std::vector<uint8_t> BitmapEntry(int width, int height, int bits, std::vector<Rgba> palette,
                                 const std::vector<std::vector<uint8_t>>& colourRows,
                                 const std::vector<std::vector<uint8_t>>& maskRows) {
  DibLayout layout{.width = width, .height = 2 * height, .bits = bits, .palette = palette};
  layout.colorsUsed = uint32_t(palette.size());
  layout.pixels = Rows(colourRows);
  std::vector<uint8_t> mask = Rows(maskRows);
  layout.pixels.insert(layout.pixels.end(), mask.begin(), mask.end());
  return DibBytes(layout);
}

// An entry of one `bits` depth whose every pixel is the opaque `colour`, to
// tell entries apart.
std::vector<uint8_t> PlainEntry(int width, int height, int bits, Rgba colour) {
  std::vector<uint8_t> row;
  std::vector<Rgba> palette;
  if (bits == 32) {
    for (int x = 0; x < width; ++x) row.insert(row.end(), {colour.b, colour.g, colour.r, 0});
  } else {
    row.assign(size_t((width * bits + 7) / 8), 0);  // every index 0
    palette = {colour};
  }
  std::vector<uint8_t> maskRow(size_t((width + 7) / 8), 0);
  return BitmapEntry(width, height, bits, palette,
                     std::vector<std::vector<uint8_t>>(size_t(height), row),
                     std::vector<std::vector<uint8_t>>(size_t(height), maskRow));
}

TEST(IcoPng, PngEntryDecodesThroughThePngReader) {
  auto picture = Bitmap::Create(3, 2, Rgba{10, 20, 30, 255});
  ASSERT_TRUE(picture);
  picture->set(1, 0, Rgba{200, 100, 50, 0});
  picture->set(2, 1, Rgba{1, 2, 3, 77});
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(*picture, PngSpeed::Small, png));
  DecodeResult ico = DecodeIco(IcoFile({png}));
  ASSERT_TRUE(ico.ok()) << ico.error;
  EXPECT_EQ(*ico.picture, *picture);
}

TEST(IcoPng, PilIconPicksTheLargestPngEntry) {
  DecodeResult ico = DecodeIco(ReadBytes(TestData("codecs/ico/pil-sizes.ico")));
  DecodeResult png = DecodePng(ReadBytes(TestData("codecs/ico/pil-48.png")));
  ASSERT_TRUE(ico.ok()) << ico.error;
  ASSERT_TRUE(png.ok()) << png.error;
  EXPECT_EQ(*ico.picture, *png.picture);
}

TEST(IcoBitmap, ThirtyTwoBitAlphaWinsOverTheMask) {
  // Bottom row: alpha 255 and 0; top row: 128 and 1. Every mask bit is set.
  auto entry = BitmapEntry(2, 2, 32, {}, {{1, 2, 3, 255, 4, 5, 6, 0}, {7, 8, 9, 128, 0, 0, 0, 1}},
                           {{0xC0}, {0xC0}});
  DecodeResult ico = DecodeIco(IcoFile({entry}));
  ASSERT_TRUE(ico.ok()) << ico.error;
  EXPECT_EQ(ico.picture->at(0, 1), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(ico.picture->at(1, 1), (Rgba{6, 5, 4, 0}));
  EXPECT_EQ(ico.picture->at(0, 0), (Rgba{9, 8, 7, 128}));
  EXPECT_EQ(ico.picture->at(1, 0), (Rgba{0, 0, 0, 1}));
}

TEST(IcoBitmap, ThirtyTwoBitWithoutAlphaUsesTheMask) {
  auto entry = BitmapEntry(2, 1, 32, {}, {{1, 2, 3, 0, 4, 5, 6, 0}}, {{0x40}});
  DecodeResult ico = DecodeIco(IcoFile({entry}));
  ASSERT_TRUE(ico.ok()) << ico.error;
  EXPECT_EQ(ico.picture->at(0, 0), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(ico.picture->at(1, 0), (Rgba{6, 5, 4, 0}));
}

// Paletted entries of 1, 4 and 8 bits: a 9 x 2 picture (so rows need padding
// in both the colour and the mask rows) with a mask that clears a diagonal.
TEST(IcoBitmap, PalettedEntriesApplyTheAndMask) {
  const Rgba p0{0, 0, 0, 255}, p1{255, 0, 0, 255};
  struct Case {
    int bits;
    std::vector<std::vector<uint8_t>> rows;  // bottom row first; index 1 at x = 0, 3 and 8
  };
  const Case cases[] = {
      {1, {{0b10010000, 0b10000000}, {0b10010000, 0b10000000}}},
      {4, {{0x10, 0x01, 0x00, 0x00, 0x10}, {0x10, 0x01, 0x00, 0x00, 0x10}}},
      {8, {{1, 0, 0, 1, 0, 0, 0, 0, 1}, {1, 0, 0, 1, 0, 0, 0, 0, 1}}},
  };
  // Mask: bottom row clears x = 0, top row clears x = 8.
  const std::vector<std::vector<uint8_t>> mask = {{0x80, 0x00}, {0x00, 0x80}};
  for (const Case& c : cases) {
    SCOPED_TRACE("bits " + std::to_string(c.bits));
    DecodeResult ico = DecodeIco(IcoFile({BitmapEntry(9, 2, c.bits, {p0, p1}, c.rows, mask)}));
    ASSERT_TRUE(ico.ok()) << ico.error;
    ASSERT_EQ(ico.picture->width(), 9);
    ASSERT_EQ(ico.picture->height(), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 9; ++x) {
        Rgba want = (x == 0 || x == 3 || x == 8) ? p1 : p0;
        bool cleared = (y == 1 && x == 0) || (y == 0 && x == 8);
        if (cleared) want.a = 0;
        EXPECT_EQ(ico.picture->at(x, y), want) << "x = " << x << ", y = " << y;
      }
    }
  }
}

TEST(IcoChoice, LargestThenDeepestEntryWins) {
  const Rgba small8{1, 0, 0, 255}, big4{2, 0, 0, 255}, big32{3, 0, 0, 255}, big8{4, 0, 0, 255};
  std::vector<std::vector<uint8_t>> entries = {
      PlainEntry(16, 16, 8, small8), PlainEntry(32, 32, 4, big4), PlainEntry(32, 32, 32, big32),
      PlainEntry(32, 32, 8, big8)};
  for (int rotation = 0; rotation < 4; ++rotation) {
    DecodeResult ico = DecodeIco(IcoFile(entries));
    ASSERT_TRUE(ico.ok()) << ico.error;
    EXPECT_EQ(ico.picture->width(), 32);
    EXPECT_EQ(ico.picture->at(5, 5), big32) << "rotation " << rotation;
    std::rotate(entries.begin(), entries.begin() + 1, entries.end());
  }
}

TEST(IcoDamage, EntriesOutsideTheFileAreSkipped) {
  const Rgba small{9, 9, 9, 255};
  std::vector<uint8_t> file =
      IcoFile({PlainEntry(64, 64, 32, Rgba{1, 1, 1, 255}), PlainEntry(8, 8, 8, small)});
  // Point the large entry past the end, then give it a size running past it.
  std::vector<uint8_t> pastEnd = file, tooLong = file;
  pastEnd[6 + 12] = 0xFF, pastEnd[6 + 13] = 0xFF, pastEnd[6 + 14] = 0xFF;
  tooLong[6 + 10] = 0xFF;
  for (const auto& bytes : {pastEnd, tooLong}) {
    DecodeResult ico = DecodeIco(bytes);
    ASSERT_TRUE(ico.ok()) << ico.error;
    EXPECT_EQ(ico.picture->width(), 8);
    EXPECT_EQ(ico.picture->at(0, 0), small);
  }
  std::vector<uint8_t> only = IcoFile({PlainEntry(8, 8, 8, small)});
  only[6 + 15] = 0x80;  // offset far past the end
  EXPECT_FALSE(DecodeIco(only).ok());
}

TEST(IcoDamage, EveryTruncationFailsCleanly) {
  for (const auto& whole : {IcoFile({PlainEntry(5, 3, 4, Rgba{1, 2, 3, 255})}),
                            IcoFile({PlainEntry(4, 4, 32, Rgba{1, 2, 3, 255})})}) {
    ASSERT_TRUE(DecodeIco(whole).ok());
    for (size_t n = 0; n < whole.size(); ++n) {
      DecodeResult ico = DecodeIco(std::span(whole).first(n));
      EXPECT_FALSE(ico.ok()) << "first " << n << " bytes";
      EXPECT_FALSE(ico.error.empty());
    }
  }
}

TEST(IcoDamage, BrokenDirectoriesAndBitmapsFail) {
  std::vector<uint8_t> good = IcoFile({PlainEntry(4, 4, 8, Rgba{1, 2, 3, 255})});
  struct Case {
    const char* what;
    size_t at;
    uint8_t value;
  };
  const Case cases[] = {
      {"reserved word set", 0, 1},
      {"type 3", 2, 3},
      {"more entries than the directory holds", 4, 0xFF},
      {"no entries", 4, 0},
      {"bitmap header size unknown", 22, 41},
      {"bitmap width zero", 22 + 4, 0},
      {"bitmap planes 2", 22 + 12, 2},
      {"RLE8 compressed bitmap", 22 + 16, 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    bytes[c.at] = c.value;
    DecodeResult ico = DecodeIco(bytes);
    EXPECT_FALSE(ico.ok()) << c.what;
    EXPECT_FALSE(ico.error.empty()) << c.what;
  }
  // The entry's declared size stops before the AND mask.
  std::vector<uint8_t> noMask = good;
  noMask[6 + 8] -= 16;
  EXPECT_FALSE(DecodeIco(noMask).ok());
}

// Inputs that once broke the reader under the fuzzer (run them under the
// sanitizers to see the fault come back).
TEST(IcoDamage, RegressionInputsDecodeOrFailCleanly) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TestData("codecs/regress"))) {
    if (entry.path().extension() != ".ico") continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    DecodeResult ico = DecodeIco(ReadBytes(entry.path()));
    EXPECT_TRUE(ico.ok() ? !ico.picture->empty() : !ico.error.empty());
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace moravel
