// The BMP reader against the pngsuite and bmpsuite collections (read in place
// from ../shared/testdata; skipped without it), and against small files
// written here field by field.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codecs/BmpCodec.h"
#include "codecs/DibBytes.h"
#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

using testing::BmpFile;
using testing::DibLayout;
using testing::ReadBytes;
using testing::Rows;
using testing::SharedTestData;
using testing::TestData;

// Names of the files in `folder` ending in `extension`, sorted; none when the
// folder cannot be read.
std::vector<std::string> FilesIn(const std::filesystem::path& folder,
                                 const std::string& extension) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The .bmp files of a shared folder as test parameters; only
// kSharedFolderAbsent when the folder is absent, so that one case skips.
std::vector<std::string> SharedBmpFiles(const std::string& folder) {
  if (!testing::MissingSharedFolder(folder).empty()) return {testing::kSharedFolderAbsent};
  return FilesIn(SharedTestData(folder), ".bmp");
}

std::string TestName(std::string name) {
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// The reference's pixels as PixelsNear expects them, except that colour under
// a reference alpha of 0 is not compared: it is taken from `decoded`.
std::vector<long> ExpectedPixels(const Bitmap& reference, const Bitmap& decoded) {
  std::vector<long> out(reference.data(), reference.data() + reference.byteCount());
  if (decoded.width() != reference.width() || decoded.height() != reference.height()) return out;
  for (size_t i = 0; i < out.size(); i += 4)
    if (out[i + 3] == 0) std::copy_n(decoded.data() + i, 3, out.begin() + long(i));
  return out;
}

Bitmap DecodeReference(const std::filesystem::path& png) {
  Result<Bitmap> ref = DecodePng(ReadBytes(png));
  EXPECT_TRUE(ref.ok()) << png << ": " << ref.error().message;
  return ref.ok() ? *ref : Bitmap();
}

// pngsuite/bmp holds a BMP conversion of most pictures in pngsuite/png (the
// deliberately broken x*.png have none); every one must decode to the PNG's
// pixels. Exactly, except where the PNG has 16-bit samples (names ending in
// "16"): the converter cut those to 8 bits (v >> 8) while our PNG reader
// rounds (v * 255 / 65535), so the two differ by 1 on some samples.
class PngSuiteBmp : public ::testing::TestWithParam<std::string> {};

TEST_P(PngSuiteBmp, MatchesThePng) {
  MORAVEL_SKIP_WITHOUT_SHARED("pngsuite");
  std::string stem = GetParam().substr(0, GetParam().size() - 4);
  Result<Bitmap> bmp = DecodeBmp(ReadBytes(SharedTestData("pngsuite/bmp/" + GetParam())));
  ASSERT_TRUE(bmp.ok()) << bmp.error().message;
  Bitmap ref = DecodeReference(SharedTestData("pngsuite/png/" + stem + ".png"));
  int tolerance = stem.ends_with("16") ? 1 : 0;
  EXPECT_TRUE(testing::PixelsNear(*bmp, ExpectedPixels(ref, *bmp), tolerance));
}

INSTANTIATE_TEST_SUITE_P(Files, PngSuiteBmp, ::testing::ValuesIn(SharedBmpFiles("pngsuite/bmp")),
                         [](const auto& info) { return TestName(info.param); });

// One line of codecs/bmpsuite-pairs.txt: a bmpsuite file and the reference
// renderings it may match.
struct SuitePair {
  std::string file;
  std::vector<std::string> references;
};

std::vector<SuitePair> ReadPairs(const std::string& prefix) {
  std::vector<SuitePair> pairs;
  std::ifstream in(TestData("codecs/bmpsuite-pairs.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.rfind(prefix, 0) != 0) continue;
    std::istringstream words(line);
    SuitePair pair;
    words >> pair.file;
    for (std::string ref; words >> ref;) pair.references.push_back(ref);
    pairs.push_back(pair);
  }
  return pairs;
}

class BmpSuiteGood : public ::testing::TestWithParam<SuitePair> {};

TEST_P(BmpSuiteGood, MatchesAReference) {
  MORAVEL_SKIP_WITHOUT_SHARED("bmpsuite");
  const SuitePair& pair = GetParam();
  Result<Bitmap> bmp = DecodeBmp(ReadBytes(SharedTestData("bmpsuite/" + pair.file)));
  ASSERT_TRUE(bmp.ok()) << bmp.error().message;
  ::testing::AssertionResult last = ::testing::AssertionFailure();
  for (const std::string& name : pair.references) {
    Bitmap ref = DecodeReference(SharedTestData("bmpsuite/html/" + name));
    last = testing::PixelsNear(*bmp, ExpectedPixels(ref, *bmp), 0);
    if (last) return;
    last << " (against " << name << ")";
  }
  EXPECT_TRUE(last);
}

INSTANTIATE_TEST_SUITE_P(Files, BmpSuiteGood, ::testing::ValuesIn(ReadPairs("g/")),
                         [](const auto& info) { return TestName(info.param.file); });

TEST(BmpSuite, EveryGoodFileHasAReference) {
  MORAVEL_SKIP_WITHOUT_SHARED("bmpsuite");
  std::vector<SuitePair> pairs = ReadPairs("g/");
  for (const std::string& name : FilesIn(SharedTestData("bmpsuite/g"), ".bmp")) {
    bool listed = std::any_of(pairs.begin(), pairs.end(),
                              [&](const SuitePair& p) { return p.file == "g/" + name; });
    EXPECT_TRUE(listed) << name;
  }
}

// Questionable files: each decodes like one of its references, apart from the
// kinds this reader refuses and the deviations named below.
TEST(BmpSuite, QuestionableFilesMatchAReferenceOrAreRefused) {
  MORAVEL_SKIP_WITHOUT_SHARED("bmpsuite");
  const std::vector<std::string> refused = {
      "q/pal1huffmsb.bmp",  // Huffman 1D compression
      "q/rgb24rle24.bmp",   // RLE24 compression
      "q/rgba64.bmp",       // 64 bits per pixel
  };
  for (const SuitePair& pair : ReadPairs("q/")) {
    SCOPED_TRACE(pair.file);
    Result<Bitmap> bmp = DecodeBmp(ReadBytes(SharedTestData("bmpsuite/" + pair.file)));
    if (std::find(refused.begin(), refused.end(), pair.file) != refused.end()) {
      ASSERT_FALSE(bmp.ok());
      EXPECT_FALSE(bmp.error().message.empty());
      continue;
    }
    // Colour profiles are not applied: this one swaps red and green back.
    if (pair.file == "q/rgb24prof2.bmp") continue;
    ASSERT_TRUE(bmp.ok()) << bmp.error().message;
    // 11- and 10-bit channels made from 8-bit values come back within 1.
    int tolerance = pair.file == "q/rgb32-111110.bmp" ? 1 : 0;
    ::testing::AssertionResult last = ::testing::AssertionFailure();
    for (const std::string& name : pair.references) {
      Bitmap ref = DecodeReference(SharedTestData("bmpsuite/html/" + name));
      last = testing::PixelsNear(*bmp, ExpectedPixels(ref, *bmp), tolerance);
      if (last) break;
    }
    EXPECT_TRUE(last);
  }
}

// Every questionable and bad file, and every input the fuzzer once broke the
// reader with, either decodes to a picture or fails with a reason. The clearly
// invalid ones must fail.
TEST(BmpSuite, DamagedFilesDecodeOrFailCleanly) {
  MORAVEL_SKIP_WITHOUT_SHARED("bmpsuite");
  const std::vector<std::string> mustFail = {
      "b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
      "b/reallybig.bmp",   "b/rletopdown.bmp",    "b/shortfile.bmp",
  };
  std::vector<std::filesystem::path> files;
  for (const auto& folder :
       {SharedTestData("bmpsuite/q"), SharedTestData("bmpsuite/b"), TestData("codecs/regress")})
    for (const std::string& name : FilesIn(folder, ".bmp")) files.push_back(folder / name);
  EXPECT_GE(files.size(), 60u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    Result<Bitmap> bmp = DecodeBmp(ReadBytes(file));
    if (bmp.ok()) {
      EXPECT_FALSE(bmp->empty());
    } else {
      EXPECT_FALSE(bmp.error().message.empty());
    }
    // "b/name.bmp": the suite's folder and the file.
    const std::string inSuite = (file.parent_path().filename() / file.filename()).generic_string();
    bool invalid = std::find(mustFail.begin(), mustFail.end(), inSuite) != mustFail.end();
    if (invalid) {
      EXPECT_FALSE(bmp.ok());
    }
  }
}

// A 1 x 1 packed-pixel file: `bits` 16 or 32, the pixel value, and masks
// after a 40-byte header (bit fields, or alpha bit fields with four masks).
std::vector<uint8_t> OnePackedPixel(int bits, uint32_t pixel, std::vector<uint32_t> masks) {
  DibLayout layout{.width = 1, .height = 1, .bits = bits};
  layout.compression = masks.empty() ? 0 : masks.size() == 4 ? 6 : 3;
  layout.masks = masks;
  std::vector<uint8_t> row;
  for (int i = 0; i < bits / 8; ++i) row.push_back(uint8_t(pixel >> (8 * i)));
  layout.pixels = Rows({row});
  return BmpFile(layout);
}

struct MaskCase {
  const char* what;
  int bits;
  uint32_t pixel;
  std::vector<uint32_t> masks;  // none: the default layout
  Rgba expected;
};

TEST(BmpMasks, ScaleEveryWidthTo8BitsWithRounding) {
  const MaskCase cases[] = {
      {"5-5-5 default, 31 is white", 16, 0x7FFF, {}, {255, 255, 255, 255}},
      {"5-5-5 default, 3 rounds up to 25", 16, 3 << 10 | 3 << 5 | 3, {}, {25, 25, 25, 255}},
      {"top bit of 5-5-5 is not alpha", 16, 0x8000, {}, {0, 0, 0, 255}},
      {"2-bit red", 16, 0x0002, {0x0003, 0x0, 0x0}, {170, 0, 0, 255}},
      {"5-6-5 green 32 of 63", 16, 32 << 5, {0xF800, 0x07E0, 0x001F}, {0, 130, 0, 255}},
      {"10-bit 512 of 1023", 32, 512, {0x3FF, 0xFFC00, 0x3FF00000}, {128, 0, 0, 255}},
      {"10-bit 1 of 1023 rounds down", 32, 1 << 10, {0x3FF, 0xFFC00, 0x3FF00000}, {0, 0, 0, 255}},
      {"32-bit wide mask", 32, 0x80000000u, {0, 0xFFFFFFFFu, 0}, {0, 128, 0, 255}},
      {"empty mask reads 0", 16, 0xFFFF, {0xFF00, 0x00FF, 0}, {255, 255, 0, 255}},
      {"mask with a hole", 32, 0x5, {0x5, 0, 0}, {255, 0, 0, 255}},
      {"alpha bit fields, 1-bit alpha clear",
       32,
       0x00FFFFFF,
       {0xFF0000, 0xFF00, 0xFF, 0x80000000u},
       {255, 255, 255, 0}},
      {"alpha bit fields, 4-bit alpha 5",
       16,
       0x5000,
       {0x0F00, 0x00F0, 0x000F, 0xF000},
       {0, 0, 0, 85}},
  };
  for (const MaskCase& c : cases) {
    SCOPED_TRACE(c.what);
    Result<Bitmap> bmp = DecodeBmp(OnePackedPixel(c.bits, c.pixel, c.masks));
    ASSERT_TRUE(bmp.ok()) << bmp.error().message;
    EXPECT_EQ(bmp->at(0, 0), c.expected);
  }
}

// 32-bit files without masks: the fourth byte is alpha only when some pixel
// has it non-zero (a common writer habit); all zero means opaque.
TEST(BmpAlpha, FourthByteOf32BitPixelsCountsOnlyWhenNotAllZero) {
  DibLayout layout{.width = 2, .height = 1, .bits = 32};
  layout.pixels = Rows({{10, 20, 30, 0, 40, 50, 60, 0}});
  Result<Bitmap> opaque = DecodeBmp(BmpFile(layout));
  ASSERT_TRUE(opaque.ok()) << opaque.error().message;
  EXPECT_EQ(opaque->at(0, 0), (Rgba{30, 20, 10, 255}));
  EXPECT_EQ(opaque->at(1, 0), (Rgba{60, 50, 40, 255}));

  layout.pixels = Rows({{10, 20, 30, 0, 40, 50, 60, 128}});
  Result<Bitmap> translucent = DecodeBmp(BmpFile(layout));
  ASSERT_TRUE(translucent.ok()) << translucent.error().message;
  EXPECT_EQ(translucent->at(0, 0), (Rgba{30, 20, 10, 0}));
  EXPECT_EQ(translucent->at(1, 0), (Rgba{60, 50, 40, 128}));
}

TEST(BmpAlpha, V5AlphaMaskIsHonoured) {
  for (uint32_t headerSize : {108u, 124u}) {
    DibLayout layout{
        .width = 1, .height = 1, .bits = 32, .compression = 3, .headerSize = headerSize};
    layout.masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000u};  // R, G, B, A in byte order
    layout.pixels = Rows({{1, 2, 3, 4}});
    Result<Bitmap> bmp = DecodeBmp(BmpFile(layout));
    ASSERT_TRUE(bmp.ok()) << bmp.error().message;
    EXPECT_EQ(bmp->at(0, 0), (Rgba{1, 2, 3, 4}));
  }
}

TEST(BmpRows, BottomUpByDefaultTopDownWithNegativeHeight) {
  DibLayout layout{.width = 1, .height = 2, .bits = 24};
  layout.pixels = Rows({{1, 1, 1}, {2, 2, 2}});  // stored first: the bottom row
  Result<Bitmap> bottomUp = DecodeBmp(BmpFile(layout));
  layout.height = -2;
  Result<Bitmap> topDown = DecodeBmp(BmpFile(layout));
  ASSERT_TRUE(bottomUp.ok() && topDown.ok());
  EXPECT_EQ(bottomUp->at(0, 0).r, 2);
  EXPECT_EQ(bottomUp->at(0, 1).r, 1);
  EXPECT_EQ(topDown->at(0, 0).r, 1);
  EXPECT_EQ(topDown->at(0, 1).r, 2);
}

TEST(BmpPalette, IndicesPastAShortPaletteAreOpaqueBlack) {
  const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, black{0, 0, 0, 255};
  DibLayout layout{.width = 4, .height = 1, .bits = 4, .palette = {red, green}, .colorsUsed = 2};
  layout.pixels = Rows({{0x01, 0x2F}});
  Result<Bitmap> bmp = DecodeBmp(BmpFile(layout));
  ASSERT_TRUE(bmp.ok()) << bmp.error().message;
  EXPECT_EQ(bmp->at(0, 0), red);
  EXPECT_EQ(bmp->at(1, 0), green);
  EXPECT_EQ(bmp->at(2, 0), black);
  EXPECT_EQ(bmp->at(3, 0), black);
}

TEST(BmpPalette, OneBitPixelsStartAtTheHighBit) {
  const Rgba white{255, 255, 255, 255}, black{0, 0, 0, 255};
  DibLayout layout{.width = 10, .height = 1, .bits = 1, .palette = {black, white}};
  layout.pixels = Rows({{0b10110000, 0b01000000}});
  Result<Bitmap> bmp = DecodeBmp(BmpFile(layout));
  ASSERT_TRUE(bmp.ok()) << bmp.error().message;
  const Rgba expected[] = {white, black, white, white, black, black, black, black, black, white};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(bmp->at(x, 0), expected[x]) << "x = " << x;
}

// RLE: runs, literal runs (padded to even byte counts), deltas, end of line
// and end of bitmap. Pixels the data never writes stay transparent.
TEST(BmpRle, Rle8And4PaintRunsLiteralsAndSkips) {
  const Rgba c0{10, 0, 0, 255}, c1{20, 0, 0, 255}, c2{30, 0, 0, 255}, none{0, 0, 0, 0};
  struct Case {
    const char* what;
    int bits;
    uint32_t compression;
    std::vector<uint8_t> data;
    std::vector<Rgba> top, bottom;  // expected rows of a 4 x 2 picture
  };
  const Case cases[] = {
      {"RLE8 run, end of line, literal of 3, end of bitmap",
       8,
       1,
       {2, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 1},
       {c2, c0, c1, none},
       {c1, c1, none, none}},
      {"RLE8 delta right 1 and up 1",
       8,
       1,
       {1, 2, 0, 2, 1, 1, 1, 1, 0, 1},
       {none, none, c1, none},
       {c2, none, none, none}},
      {"RLE8 run past the right edge is clipped",
       8,
       1,
       {9, 2, 0, 0, 1, 1, 0, 1},
       {c1, none, none, none},
       {c2, c2, c2, c2}},
      {"RLE4 run alternates nibbles",
       4,
       2,
       {3, 0x12, 0, 1},
       {none, none, none, none},
       {c1, c2, c1, none}},
      {"RLE4 literal of 5 in 3 bytes and a pad, clipped",
       4,
       2,
       {0, 5, 0x21, 0x02, 0x10, 0, 0, 0, 1, 0x22, 0, 1},
       {c2, none, none, none},
       {c2, c1, c0, c2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DibLayout layout{.width = 4, .height = 2, .bits = c.bits, .compression = c.compression};
    layout.palette = {c0, c1, c2};
    layout.pixels = c.data;
    Result<Bitmap> bmp = DecodeBmp(BmpFile(layout));
    ASSERT_TRUE(bmp.ok()) << bmp.error().message;
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(bmp->at(x, 0), c.top[x]) << "top x = " << x;
      EXPECT_EQ(bmp->at(x, 1), c.bottom[x]) << "bottom x = " << x;
    }
  }
}

TEST(BmpRefuses, BrokenHeadersSizesAndData) {
  const Rgba black{0, 0, 0, 255};
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  DibLayout good{.width = 3, .height = 2, .bits = 24};
  good.pixels = Rows({{0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0}});
  ASSERT_TRUE(DecodeBmp(BmpFile(good)).ok());
  auto variant = [&](auto change) {
    DibLayout s = good;
    change(s);
    return BmpFile(s);
  };
  std::vector<uint8_t> truncated = BmpFile(good);
  truncated.pop_back();
  std::vector<uint8_t> offsetPastEnd = BmpFile(good);
  offsetPastEnd[10] = 0xFF, offsetPastEnd[11] = 0xFF;
  std::vector<uint8_t> notBmp = BmpFile(good);
  notBmp[0] = 'X';
  std::vector<uint8_t> headerCut = BmpFile(good);
  headerCut.resize(30);
  const Case cases[] = {
      {"empty", {}},
      {"no BM signature", notBmp},
      {"info header cut short", headerCut},
      {"pixel offset past the end", offsetPastEnd},
      {"last row one byte short", truncated},
      {"zero width", variant([](DibLayout& s) { s.width = 0; })},
      {"negative width", variant([](DibLayout& s) { s.width = -3; })},
      {"zero height", variant([](DibLayout& s) { s.height = 0; })},
      {"wider than allowed", variant([](DibLayout& s) { s.width = 20000; })},
      {"more pixels than allowed", variant([](DibLayout& s) { s.width = s.height = 12000; })},
      {"unknown header size", variant([](DibLayout& s) { s.headerSize = 44; })},
      {"bit count 7", variant([](DibLayout& s) { s.bits = 7; })},
      {"RLE8 with 24 bits", variant([](DibLayout& s) { s.compression = 1; })},
      {"8 bits without a palette", variant([](DibLayout& s) { s.bits = 8; })},
      {"RLE8 data ends early", variant([&](DibLayout& s) {
         s.bits = 8, s.compression = 1, s.palette = {black}, s.pixels = {3, 0, 0, 0};
       })},
  };
  for (const Case& c : cases) {
    Result<Bitmap> bmp = DecodeBmp(c.bytes);
    ASSERT_FALSE(bmp.ok()) << c.what;
    EXPECT_FALSE(bmp.error().message.empty()) << c.what;
  }
}

}  // namespace
}  // namespace moravel
