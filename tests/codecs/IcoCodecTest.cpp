// The icon reader: PNG and bitmap entries, the AND mask, which entry wins, and
// damaged files. Icons are written here byte by byte, plus one made by PIL.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/IcoCodec.h"
#include "codecs/IconBytes.h"
#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

using testing::BitmapEntry;
using testing::IcoFile;
using testing::PlainEntry;
using testing::PlainPngEntry;
using testing::ReadBytes;
using testing::TestData;

TEST(IcoPng, PngEntryDecodesThroughThePngReader) {
  auto picture = Bitmap::Create(3, 2, Rgba{10, 20, 30, 255});
  ASSERT_TRUE(picture);
  picture->set(1, 0, Rgba{200, 100, 50, 0});
  picture->set(2, 1, Rgba{1, 2, 3, 77});
  const Result<std::vector<uint8_t>> png = EncodePng(*picture, PngSpeed::Small);
  ASSERT_TRUE(png.ok()) << png.error().message;
  Result<Bitmap> ico = DecodeIco(IcoFile({*png}));
  ASSERT_TRUE(ico.ok()) << ico.error().message;
  EXPECT_EQ(*ico, *picture);
}

TEST(IcoPng, PilIconPicksTheLargestPngEntry) {
  Result<Bitmap> ico = DecodeIco(ReadBytes(TestData("codecs/ico/pil-sizes.ico")));
  Result<Bitmap> png = DecodePng(ReadBytes(TestData("codecs/ico/pil-48.png")));
  ASSERT_TRUE(ico.ok()) << ico.error().message;
  ASSERT_TRUE(png.ok()) << png.error().message;
  EXPECT_EQ(*ico, *png);
}

TEST(IcoBitmap, ThirtyTwoBitAlphaWinsOverTheMask) {
  // Bottom row: alpha 255 and 0; top row: 128 and 1. Every mask bit is set.
  auto entry = BitmapEntry(2, 2, 32, {}, {{1, 2, 3, 255, 4, 5, 6, 0}, {7, 8, 9, 128, 0, 0, 0, 1}},
                           {{0xC0}, {0xC0}});
  Result<Bitmap> ico = DecodeIco(IcoFile({entry}));
  ASSERT_TRUE(ico.ok()) << ico.error().message;
  EXPECT_EQ(ico->at(0, 1), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(ico->at(1, 1), (Rgba{6, 5, 4, 0}));
  EXPECT_EQ(ico->at(0, 0), (Rgba{9, 8, 7, 128}));
  EXPECT_EQ(ico->at(1, 0), (Rgba{0, 0, 0, 1}));
}

TEST(IcoBitmap, ThirtyTwoBitWithoutAlphaUsesTheMask) {
  auto entry = BitmapEntry(2, 1, 32, {}, {{1, 2, 3, 0, 4, 5, 6, 0}}, {{0x40}});
  Result<Bitmap> ico = DecodeIco(IcoFile({entry}));
  ASSERT_TRUE(ico.ok()) << ico.error().message;
  EXPECT_EQ(ico->at(0, 0), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(ico->at(1, 0), (Rgba{6, 5, 4, 0}));
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
    Result<Bitmap> ico = DecodeIco(IcoFile({BitmapEntry(9, 2, c.bits, {p0, p1}, c.rows, mask)}));
    ASSERT_TRUE(ico.ok()) << ico.error().message;
    ASSERT_EQ(ico->width(), 9);
    ASSERT_EQ(ico->height(), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 9; ++x) {
        Rgba want = (x == 0 || x == 3 || x == 8) ? p1 : p0;
        bool cleared = (y == 1 && x == 0) || (y == 0 && x == 8);
        if (cleared) want.a = 0;
        EXPECT_EQ(ico->at(x, y), want) << "x = " << x << ", y = " << y;
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
    Result<Bitmap> ico = DecodeIco(IcoFile(entries));
    ASSERT_TRUE(ico.ok()) << ico.error().message;
    EXPECT_EQ(ico->width(), 32);
    EXPECT_EQ(ico->at(5, 5), big32) << "rotation " << rotation;
    std::rotate(entries.begin(), entries.begin() + 1, entries.end());
  }
}

// Entries of 16, 32 (8 and 32 bits), 48, 64 and 256 pixels and a 64 x 32 one
// (whose height counts as much as its width); the asked size and which entry
// is nearest, ties on distance going to depth, then size.
TEST(IcoChoice, NearestEntryThenDeepestThenLargest) {
  const IconEntry entries[] = {
      {.width = 16, .height = 16, .bits = 32}, {.width = 32, .height = 32, .bits = 8},
      {.width = 32, .height = 32, .bits = 32}, {.width = 48, .height = 48, .bits = 8},
      {.width = 64, .height = 64, .bits = 4},  {.width = 256, .height = 256, .bits = 32},
      {.width = 64, .height = 32, .bits = 32}};
  struct Case {
    int size;
    size_t want;
    const char* tie;
  };
  const Case cases[] = {
      {1, 0, ""},
      {16, 0, ""},
      {32, 2, "32 x 32 at 8 and 32 bits"},
      {48, 3, ""},
      {64, 4, "not the 64 x 32 one, 32 away"},
      {1000, 5, ""},
      {24, 2, "16 at 32 bits, 32 at 8 and 32 bits: 32 bits, then the larger"},
      {40, 2, "32 at 32 bits, 48 at 8 bits"},
      {56, 3, "48 at 8 bits, 64 at 4 bits"},
      {160, 5, "64 at 4 bits, 256 at 32 bits"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PickIconEntry(entries, c.size), c.want) << "size " << c.size << " " << c.tie;
  // Equal distance and depth: the larger wins, wherever it stands.
  const IconEntry sameDepth[] = {{.width = 16, .height = 16, .bits = 8},
                                 {.width = 48, .height = 48, .bits = 8}};
  EXPECT_EQ(PickIconEntry(sameDepth, 32), 1u);
  const IconEntry reversed[] = {sameDepth[1], sameDepth[0]};
  EXPECT_EQ(PickIconEntry(reversed, 32), 0u);
}

TEST(IcoChoice, NearestEntryDecodesAtItsOwnSize) {
  const Rgba c16{1, 0, 0, 255}, c32{2, 0, 0, 255}, c48{3, 0, 0, 255}, c256{4, 0, 0, 255};
  const std::vector<uint8_t> file =
      IcoFile({PlainPngEntry(256, 256, c256), PlainEntry(16, 16, 8, c16),
               PlainEntry(48, 48, 4, c48), PlainEntry(32, 32, 32, c32)});
  struct Case {
    int size, width;
    Rgba colour;
  };
  const Case cases[] = {{8, 16, c16}, {30, 32, c32}, {64, 48, c48}, {200, 256, c256}};
  for (const Case& c : cases) {
    Result<Bitmap> ico = DecodeIcoNearest(file, c.size);
    ASSERT_TRUE(ico.ok()) << ico.error().message;
    EXPECT_EQ(ico->width(), c.width) << "size " << c.size;
    EXPECT_EQ(ico->height(), c.width) << "size " << c.size;
    EXPECT_EQ(ico->at(c.width / 2, c.width / 2), c.colour) << "size " << c.size;
  }
  EXPECT_FALSE(DecodeIcoNearest(std::span(file).first(5), 32).ok());
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
    Result<Bitmap> ico = DecodeIco(bytes);
    ASSERT_TRUE(ico.ok()) << ico.error().message;
    EXPECT_EQ(ico->width(), 8);
    EXPECT_EQ(ico->at(0, 0), small);
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
      Result<Bitmap> ico = DecodeIco(std::span(whole).first(n));
      ASSERT_FALSE(ico.ok()) << "first " << n << " bytes";
      EXPECT_FALSE(ico.error().message.empty());
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
    Result<Bitmap> ico = DecodeIco(bytes);
    ASSERT_FALSE(ico.ok()) << c.what;
    EXPECT_FALSE(ico.error().message.empty()) << c.what;
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
    Result<Bitmap> ico = DecodeIco(ReadBytes(entry.path()));
    EXPECT_TRUE(ico.ok() ? !ico->empty() : !ico.error().message.empty());
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace moravel
