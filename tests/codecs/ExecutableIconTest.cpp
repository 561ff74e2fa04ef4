// The executable icon reader: real executables (NSIS's stubs), ones linked
// here with llvm-rc and lld-link, and which group, language and image wins in
// ones laid out byte by byte (damaged ones: ExecutableIconDamageTest.cpp).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codecs/ExecutableIcon.h"
#include "codecs/IconBytes.h"
#include "codecs/PeBytes.h"
#include "codecs/PixelFixtures.h"
#include "codecs/SpanByteSource.h"
#include "support/ErrorKindOf.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::ErrorKindOf;
using testing::IcoFile;
using testing::IconGroupBytes;
using testing::IconTypes;
using testing::OneLanguage;
using testing::PeWithResources;
using testing::PlainEntry;
using testing::PlainPngEntry;
using testing::ResourceNode;

Result<Bitmap> ReadBytesIcon(const std::vector<uint8_t>& bytes, int size) {
  return ReadExecutableIcon(SpanByteSource(bytes), size);
}

bool AnyOpaque(const Bitmap& b) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.at(x, y).a == 255) return true;
  return false;
}

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};

// --- Real executables ---------------------------------------------------------

// NSIS's installer stubs each carry an icon; its interface executables hold
// dialogs only.
TEST(ExecutableIconReal, NsisStubsAndInterfaces) {
  const fs::path nsis = "/usr/share/nsis";
  if (!fs::is_directory(nsis / "Stubs")) GTEST_SKIP() << "needs Debian package nsis-common";
  struct Case {
    const char* folder;
    std::optional<ErrorKind> want;  // nothing: an icon
  };
  for (const Case& c : {Case{"Stubs", std::nullopt}, Case{"Contrib/UIs", ErrorKind::kEmpty}}) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(nsis / c.folder)) {
      std::vector<uint8_t> head = testing::ReadBytes(entry.path());
      if (head.size() < 2 || head[0] != 'M' || head[1] != 'Z') continue;  // Stubs/uninst
      ++files;
      SCOPED_TRACE(entry.path().string());
      Result<Bitmap> r = ReadExecutableIcon(entry.path(), 64);
      EXPECT_EQ(ErrorKindOf(r), c.want);
      if (!r) continue;
      EXPECT_EQ(r->width(), 64);
      EXPECT_EQ(r->height(), 64);
      EXPECT_TRUE(AnyOpaque(*r));
    }
    EXPECT_GT(files, 0) << c.folder;
  }
}

// --- Built here with llvm-rc and lld-link ---------------------------------------

// Runs `command` in the shell with its output in `log`; true when it succeeds.
bool Shell(const std::string& command, const fs::path& log) {
  return std::system((command + " >>'" + log.string() + "' 2>&1").c_str()) == 0;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A resource script with a numbered icon group written first and a named one
// ("MAINICON") second; each icon has a 16-pixel bitmap image and a 256-pixel
// PNG image, four colours in all. Linked as PE32 (x86) and PE32+ (x64), the
// named group must win (named entries are stored first), and within it the
// image nearest the asked size.
TEST(ExecutableIconBuilt, NamedGroupAndNearestImageOfLinkedDlls) {
  test::TempFolder dir;
  const fs::path log = dir / "log.txt";
  if (!Shell("command -v llvm-rc-14 && command -v lld-link-14", log))
    GTEST_SKIP() << "needs llvm-rc-14 and lld-link-14 (Debian llvm-14, lld-14)";
  const Rgba namedBmp{200, 10, 10, 255}, namedPng{10, 200, 10, 255};
  const Rgba numberedBmp{10, 10, 200, 255}, numberedPng{200, 200, 10, 255};
  WriteFile(dir / "named.ico",
            IcoFile({PlainEntry(16, 16, 8, namedBmp), PlainPngEntry(256, 256, namedPng)}));
  WriteFile(dir / "numbered.ico",
            IcoFile({PlainEntry(16, 16, 8, numberedBmp), PlainPngEntry(256, 256, numberedPng)}));
  std::ofstream(dir / "app.rc") << "1 ICON \"numbered.ico\"\nMAINICON ICON \"named.ico\"\n";
  const std::string in = "cd '" + dir.path().string() + "' && ";
  ASSERT_TRUE(Shell(in + "llvm-rc-14 /fo app.res app.rc", log)) << ReadText(log);

  struct Case {
    const char* machine;
    unsigned magic;  // of the optional header: 0x10B PE32, 0x20B PE32+
  };
  for (const Case& c : {Case{"x86", 0x10B}, Case{"x64", 0x20B}}) {
    SCOPED_TRACE(c.machine);
    const std::string dll = std::string(c.machine) + ".dll";
    ASSERT_TRUE(Shell(
        in + "lld-link-14 /noentry /dll /machine:" + c.machine + " /out:" + dll + " app.res", log))
        << ReadText(log);
    const std::vector<uint8_t> bytes = testing::ReadBytes(dir / dll);
    ASSERT_GT(bytes.size(), 0x100u);
    const unsigned pe = bytes[0x3C] | bytes[0x3D] << 8;
    ASSERT_EQ(unsigned(bytes.at(pe + 24) | bytes.at(pe + 25) << 8), c.magic);

    struct Size {
      int size;
      Rgba colour;
    };
    for (const Size& s : {Size{64, namedBmp}, Size{16, namedBmp}, Size{256, namedPng}}) {
      Result<Bitmap> r = ReadExecutableIcon(dir / dll, s.size);
      ASSERT_TRUE(r) << "size " << s.size << ": " << r.error().message;
      ASSERT_EQ(r->width(), s.size);
      ASSERT_EQ(r->height(), s.size);
      EXPECT_EQ(r->at(s.size / 2, s.size / 2), s.colour) << "size " << s.size;
      EXPECT_EQ(r->at(0, s.size - 1), s.colour) << "size " << s.size;
    }
  }
}

// --- Which group, language and image -----------------------------------------------

TEST(ExecutableIconChoice, FirstStoredGroupAndLanguageThenTheNearestImageThatDecodes) {
  std::vector<uint8_t> broken64 = PlainEntry(64, 64, 32, kGreen);
  broken64.resize(broken64.size() / 2);  // the header promises rows that are missing
  const auto red = PlainEntry(16, 16, 8, kRed), blue = PlainEntry(16, 16, 8, kBlue);
  struct Case {
    const char* what;
    std::vector<ResourceNode> types;
    Rgba want;
  };
  const Case cases[] = {
      {"first group as stored, not the lowest id",
       IconTypes({OneLanguage(1, red), OneLanguage(2, blue)},
                 {OneLanguage(9, IconGroupBytes({2})), OneLanguage(1, IconGroupBytes({1}))}),
       kBlue},
      {"first language as stored",
       IconTypes({{.id = 1, .children = {{.id = 1049, .data = blue}, {.id = 1033, .data = red}}}},
                 {OneLanguage(1, IconGroupBytes({1}))}),
       kBlue},
      {"a broken nearest image gives way to the next",
       IconTypes({OneLanguage(1, broken64), OneLanguage(2, red)},
                 {OneLanguage(1, IconGroupBytes({1, 2}))}),
       kRed},
      {"a missing id is skipped",
       IconTypes({OneLanguage(2, red)}, {OneLanguage(1, IconGroupBytes({7, 2}))}), kRed},
  };
  for (const Case& c : cases) {
    Result<Bitmap> r = ReadBytesIcon(PeWithResources(c.types), 64);
    ASSERT_TRUE(r) << c.what << ": " << r.error().message;
    EXPECT_EQ(r->at(32, 32), c.want) << c.what;
  }
}

TEST(ExecutableIconChoice, SizesOutsideOneTo1024AreRefused) {
  const std::vector<uint8_t> file = PeWithResources(IconTypes(
      {OneLanguage(1, PlainEntry(16, 16, 8, kRed))}, {OneLanguage(1, IconGroupBytes({1}))}));
  for (int size : {0, -5, 1025, 1, 1024}) {
    Result<Bitmap> r = ReadBytesIcon(file, size);
    const bool valid = size >= 1 && size <= 1024;
    EXPECT_EQ(ErrorKindOf(r), valid ? std::nullopt : std::optional(ErrorKind::kUnsupported))
        << "size " << size;
    if (r) {
      EXPECT_EQ(r->width(), size) << "size " << size;
    }
  }
}

}  // namespace
}  // namespace moravel
