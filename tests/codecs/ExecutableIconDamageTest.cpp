// The executable icon reader on damaged and hostile files laid out byte by
// byte: loops in the resource tree, huge counts, offsets and addresses past
// the end, headers that are no PE file. Each must end with its status.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "codecs/ExecutableIcon.h"
#include "codecs/IconBytes.h"
#include "codecs/PeBytes.h"
#include "codecs/SpanByteSource.h"
#include "support/ErrorKindOf.h"
#include "support/Fifo.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::ErrorKindOf;
using Status = std::optional<ErrorKind>;  // nothing: an icon
using testing::IcoFile;
using testing::IconGroupBytes;
using testing::IconTypes;
using testing::OneLanguage;
using testing::PatchLe16;
using testing::PatchLe32;
using testing::PeFile;
using testing::PeWithResources;
using testing::PlainEntry;
using testing::ResourceBytes;
using testing::ResourceNode;

constexpr uint32_t kHighBit = 0x80000000u;
constexpr Rgba kRed{255, 0, 0, 255};

// Directories of OneIcon(), root first: 0 types, 1 icon names, 2 icon 1's
// languages, 3 group names, 4 group 1's languages. Data entries: 0 the image,
// 1 the group.
std::vector<ResourceNode> OneIcon() {
  return IconTypes({OneLanguage(1, PlainEntry(16, 16, 8, kRed))},
                   {OneLanguage(1, IconGroupBytes({1}))});
}

struct Built {
  std::vector<uint8_t> bytes;
  testing::ResourceSection section;
};

Built Build(bool plus, const std::vector<ResourceNode>& types = OneIcon()) {
  testing::ResourceSection section = ResourceBytes(types, testing::kSectionRva);
  return {PeFile(section.bytes, plus), section};
}

// The file position of entry `index` of the directory at `dir` (OneIcon()'s
// directories and data entries are listed above it).
size_t EntryAt(uint32_t dir, int index) {
  return testing::kSectionDataAt + dir + 16 + 8 * index;
}
size_t DataEntryAt(const Built& b, int index) {
  return testing::kSectionDataAt + b.section.dataEntries[size_t(index)];
}

// Each case damages OneIcon() in a PE32 and a PE32+ file, or lays out other
// resources; every one must end with its status, without a crash or a loop.
TEST(ExecutableIconDamage, HostileFilesEndWithTheirStatus) {
  using Make = std::function<std::vector<uint8_t>(bool plus)>;
  auto patch = [](std::function<void(Built&, bool)> damage) -> Make {
    return [damage](bool plus) {
      Built b = Build(plus);
      damage(b, plus);
      return b.bytes;
    };
  };
  auto lay = [](std::vector<ResourceNode> types) -> Make {
    return [types](bool plus) { return PeWithResources(types, plus); };
  };
  const auto d = Build(false).section.directories;  // the same in both kinds
  const auto red = PlainEntry(16, 16, 8, kRed);
  std::vector<uint8_t> huge = red;
  huge.resize(kMaxExecutableIconBytes + 1);
  const size_t sectionAt = testing::kSectionDataAt;
  const Status kNone = ErrorKind::kEmpty, kIcon = std::nullopt, kBad = ErrorKind::kMalformed;
  struct Case {
    const char* what;
    Make make;
    Status want;
  };
  const Case cases[] = {
      // Loops and depth.
      {"icon group type points at the root",
       patch([&](Built& b, bool) { PatchLe32(b.bytes, EntryAt(d[0], 1) + 4, kHighBit | d[0]); }),
       kNone},
      {"group name points at its own directory",
       patch([&](Built& b, bool) { PatchLe32(b.bytes, EntryAt(d[3], 0) + 4, kHighBit | d[3]); }),
       kNone},
      {"group name points at the root",
       patch([&](Built& b, bool) { PatchLe32(b.bytes, EntryAt(d[3], 0) + 4, kHighBit | d[0]); }),
       kNone},
      {"a language is a directory (a fourth level)",
       patch([&](Built& b, bool) { PatchLe32(b.bytes, EntryAt(d[4], 0) + 4, kHighBit | d[2]); }),
       kNone},
      // Huge counts: what fits is read.
      {"types claim 65535 named and 65535 numbered entries", patch([&](Built& b, bool) {
         PatchLe16(b.bytes, sectionAt + d[0] + 12, 0xFFFF);
         PatchLe16(b.bytes, sectionAt + d[0] + 14, 0xFFFF);
       }),
       kIcon},
      {"group claims 65535 images",
       lay(IconTypes({OneLanguage(1, red)}, {OneLanguage(1, IconGroupBytes({1}, 0xFFFF))})), kIcon},
      // Offsets, addresses and sizes past the end.
      {"subdirectory offset past the end", patch([&](Built& b, bool) {
         PatchLe32(b.bytes, EntryAt(d[0], 1) + 4, kHighBit | 0x7FFFFFF0);
       }),
       kNone},
      {"image address past the end",
       patch([](Built& b, bool) { PatchLe32(b.bytes, DataEntryAt(b, 0), 0xFFFFFF00); }), kNone},
      {"image size past its section",
       patch([](Built& b, bool) { PatchLe32(b.bytes, DataEntryAt(b, 0) + 4, 0x7FFFFFFF); }), kNone},
      {"image over the size cap",
       lay(IconTypes({OneLanguage(1, huge)}, {OneLanguage(1, IconGroupBytes({1}))})), kNone},
      {"image over 2048 pixels a side",
       lay(IconTypes({OneLanguage(1, testing::PlainPngEntry(2049, 1, kRed))},
                     {OneLanguage(1, IconGroupBytes({1}))})),
       kNone},
      {"resource directory address past the end", patch([](Built& b, bool plus) {
         PatchLe32(b.bytes, testing::ResourceDirectoryAt(plus), 0x7FFF0000);
       }),
       kNone},
      {"zero-sized resource directory (its size is not needed)", patch([](Built& b, bool plus) {
         PatchLe32(b.bytes, testing::ResourceDirectoryAt(plus) + 4, 0);
       }),
       kIcon},
      {"no resource directory", patch([](Built& b, bool plus) {
         PatchLe32(b.bytes, testing::ResourceDirectoryAt(plus), 0);
       }),
       kNone},
      {"only two data directories", patch([](Built& b, bool plus) {
         PatchLe32(b.bytes, testing::kOptionalHeaderAt + (plus ? 108 : 92), 2);
       }),
       kNone},
      {"section data past the end", patch([](Built& b, bool plus) {
         PatchLe32(b.bytes, testing::SectionTableAt(plus) + 20, 0x7FFFFF00);
       }),
       kNone},
      {"65535 sections: the table runs past the end",
       patch([](Built& b, bool) { PatchLe16(b.bytes, testing::kPeHeaderAt + 6, 0xFFFF); }), kBad},
      {"file ends inside the section table",
       patch([](Built& b, bool plus) { b.bytes.resize(testing::SectionTableAt(plus) + 20); }),
       kBad},
      // Resources without a usable icon group.
      {"group names a missing icon id",
       lay(IconTypes({OneLanguage(1, red)}, {OneLanguage(1, IconGroupBytes({7}))})), kNone},
      {"resources but no icon group",
       lay({{.id = 3, .children = {OneLanguage(1, red)}},
            {.id = 16, .children = {OneLanguage(1, {1, 2, 3, 4})}}}),
       kNone},
      {"icon group type given by name",
       lay({{.name = u"GROUP", .children = {OneLanguage(1, IconGroupBytes({1}))}},
            {.id = 3, .children = {OneLanguage(1, red)}}}),
       kNone},
      {"cursor group",
       lay(IconTypes({OneLanguage(1, red)}, {OneLanguage(1, IconGroupBytes({1}, -1, 2))})), kNone},
      {"group shorter than its header",
       lay(IconTypes({OneLanguage(1, red)}, {OneLanguage(1, {0, 0, 1, 0})})), kNone},
      {"its only image does not decode",
       lay(IconTypes({OneLanguage(1, {40, 0, 0, 0, 16, 0, 0, 0, 32, 0, 0, 0, 1, 0, 8, 0})},
                     {OneLanguage(1, IconGroupBytes({1}))})),
       kNone},
      // No PE files.
      {"empty", [](bool) { return std::vector<uint8_t>{}; }, kBad},
      {"MZ alone", [](bool) { return std::vector<uint8_t>{'M', 'Z'}; }, kBad},
      {"PE header offset past the end",
       patch([](Built& b, bool) { PatchLe32(b.bytes, 0x3C, 0xFFFFFFF0); }), kBad},
      {"PE signature wrong", patch([](Built& b, bool) { b.bytes[testing::kPeHeaderAt + 1] = 'X'; }),
       kBad},
      {"optional header of another kind (ROM)",
       patch([](Built& b, bool) { PatchLe16(b.bytes, testing::kOptionalHeaderAt, 0x107); }), kBad},
      {"an icon file", [&](bool) { return IcoFile({red}); }, kBad},
  };
  for (bool plus : {false, true}) {
    for (const Case& c : cases) {
      const std::vector<uint8_t> bytes = c.make(plus);
      Result<Bitmap> r = ReadExecutableIcon(SpanByteSource(bytes), 64);
      EXPECT_EQ(ErrorKindOf(r), c.want) << c.what << (plus ? " (PE32+)" : " (PE32)");
      if (r) {
        EXPECT_EQ(r->width(), 64) << c.what;
      }
    }
  }
}

// A refused file says what in it is wanting, not only that it is no
// executable.
TEST(ExecutableIconDamage, RefusalsSayWhatIsWanting) {
  const std::vector<uint8_t> good = Build(false).bytes;
  std::vector<uint8_t> noPe = good, rom = good, cut = good;
  noPe[testing::kPeHeaderAt + 1] = 'X';
  PatchLe16(rom, testing::kOptionalHeaderAt, 0x107);
  cut.resize(testing::SectionTableAt(false) + 20);
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* says;
  } cases[] = {
      {"an icon file", IcoFile({PlainEntry(16, 16, 8, kRed)}), "no MZ header"},
      {"PE signature wrong", noPe, "no PE header"},
      {"optional header of another kind", rom, "optional header of another kind"},
      {"file ends inside the section table", cut, "section table"},
  };
  for (const auto& c : cases) {
    Result<Bitmap> r = ReadExecutableIcon(SpanByteSource(c.bytes), 64);
    ASSERT_FALSE(r) << c.what;
    EXPECT_EQ(r.error().kind, ErrorKind::kMalformed) << c.what;
    EXPECT_NE(r.error().message.find(c.says), std::string::npos)
        << c.what << ": " << r.error().message;
  }
}

TEST(ExecutableIconDamage, PathsThatAreNoReadableFile) {
  test::TempFolder dir;
  EXPECT_EQ(ErrorKindOf(ReadExecutableIcon(dir / "missing.exe", 64)), ErrorKind::kNotFound);
  std::vector<fs::path> paths{dir.path()};
  if (test::kHaveFifos) {
    ASSERT_TRUE(test::MakeFifo(dir / "fifo"));  // opening it must not wait
    paths.push_back(dir / "fifo");
  }
  for (const fs::path& p : paths)
    EXPECT_EQ(ErrorKindOf(ReadExecutableIcon(p, 64)), ErrorKind::kNotAFile) << p;
}

}  // namespace
}  // namespace moravel
