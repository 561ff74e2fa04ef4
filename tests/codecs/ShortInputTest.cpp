// Every reader of outside bytes, fed nothing or the first few bytes of a real
// file of its kind: each refuses cleanly (an error to show, no half-filled
// result) and reads no byte it was not given. The whole file is read first,
// so that a refusal is about the length and not about the file.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "codecs/BmpCodec.h"
#include "codecs/DibBytes.h"
#include "codecs/ExecutableIcon.h"
#include "codecs/GifCodec.h"
#include "codecs/IcoCodec.h"
#include "codecs/IconBytes.h"
#include "codecs/JpegCodec.h"
#include "codecs/PeBytes.h"
#include "codecs/PictureFile.h"
#include "codecs/PixelFixtures.h"
#include "codecs/PngCodec.h"
#include "codecs/ShellLink.h"
#include "codecs/SpanByteSource.h"

namespace moravel {
namespace {

using Bytes = std::vector<uint8_t>;
using Span = std::span<const uint8_t>;

enum class Outcome { kRead, kRefused, kRefusedUntidily };

std::ostream& operator<<(std::ostream& out, Outcome o) {
  return out << (o == Outcome::kRead      ? "read"
                 : o == Outcome::kRefused ? "refused"
                                          : "refused, leaving a result or no reason");
}

Outcome Of(const Result<Bitmap>& r) {
  if (r.ok()) return Outcome::kRead;
  return r.error().message.empty() ? Outcome::kRefusedUntidily : Outcome::kRefused;
}

Outcome Shortcut(Span bytes) {
  const Result<ShortcutInfo> info = ParseShortcut(bytes);
  if (info) return Outcome::kRead;
  return info.error().kind == ErrorKind::kMalformed ? Outcome::kRefused : Outcome::kRefusedUntidily;
}

Outcome ExecutableIcon(Span bytes) {
  const Result<Bitmap> r = ReadExecutableIcon(SpanByteSource(bytes), 16);
  if (r) return Outcome::kRead;
  // Too short to hold a PE header: unreadable, not "a program without an icon".
  return r.error().kind == ErrorKind::kMalformed ? Outcome::kRefused : Outcome::kRefusedUntidily;
}

constexpr Rgba kTeal{0, 128, 128, 255};

Bytes Png() {
  Result<Bytes> png = EncodePng(*Bitmap::Create(3, 2, kTeal), PngSpeed::Fast);
  EXPECT_TRUE(png.ok()) << png.error().message;
  return png ? std::move(*png) : Bytes();
}

Bytes Bmp() {
  return testing::BmpFile(
      {.width = 1, .height = 1, .bits = 24, .pixels = testing::Rows({{1, 2, 3}})});
}

Bytes Ico() {
  return testing::IcoFile({testing::PlainEntry(2, 2, 32, kTeal)});
}

Bytes Fixture(const char* name) {
  return testing::ReadBytes(testing::TestData(std::string("codecs/") + name));
}

// A link header (size 0x4C and the shell link class id) with no flags set:
// the shortest link there is.
Bytes Lnk() {
  Bytes out = {0x4C, 0, 0, 0, 1, 0x14, 2, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  out.resize(0x4C);
  return out;
}

Bytes Exe() {
  using testing::OneLanguage;
  return testing::PeWithResources(
      testing::IconTypes({OneLanguage(1, testing::PlainEntry(16, 16, 32, kTeal))},
                         {OneLanguage(1, testing::IconGroupBytes({1}))}));
}

struct Reader {
  const char* name;
  std::function<Bytes()> file;           // a whole file the reader takes
  std::function<Outcome(Span)> outcome;  // of reading those bytes
};

std::function<Outcome(Span)> Decoder(Result<Bitmap> (*decode)(Span, const PictureLimits&)) {
  return [decode](Span bytes) { return Of(decode(bytes, {})); };
}

std::function<Outcome(Span)> Dispatched(PictureFormat format) {
  return [format](Span bytes) { return Of(DecodePicture(format, bytes)); };
}

// Every length below this is shorter than the fixed headers of any of the
// formats (the shortest: a GIF's header, screen and image descriptors, 23 bytes).
constexpr size_t kShortLengths = 24;

TEST(ShortInput, EveryReaderRefusesNothingAndCutHeaders) {
  const Reader readers[] = {
      {"png", Png, Decoder(DecodePng)},
      {"jpeg", [] { return Fixture("rgb.jpg"); }, Decoder(DecodeJpeg)},
      {"gif", [] { return Fixture("transparent.gif"); }, Decoder(DecodeGif)},
      {"bmp", Bmp, Decoder(DecodeBmp)},
      {"ico", Ico, Decoder(DecodeIco)},
      {"ico nearest", Ico, [](Span b) { return Of(DecodeIcoNearest(b, 16)); }},
      {"icon entry (bitmap)", [] { return testing::PlainEntry(2, 2, 32, kTeal); },
       Decoder(DecodeIconEntry)},
      {"icon entry (png)", [] { return testing::PlainPngEntry(2, 2, kTeal); },
       Decoder(DecodeIconEntry)},
      {"picture file: png", Png, Dispatched(PictureFormat::Png)},
      {"picture file: jpeg", [] { return Fixture("rgb.jpg"); }, Dispatched(PictureFormat::Jpeg)},
      {"picture file: gif", [] { return Fixture("transparent.gif"); },
       Dispatched(PictureFormat::Gif)},
      {"picture file: bmp", Bmp, Dispatched(PictureFormat::Bmp)},
      {"picture file: ico", Ico, Dispatched(PictureFormat::Ico)},
      {"shortcut", Lnk, Shortcut},
      {"executable icon", Exe, ExecutableIcon},
  };
  for (const Reader& reader : readers) {
    SCOPED_TRACE(reader.name);
    const Bytes whole = reader.file();
    ASSERT_GT(whole.size(), kShortLengths);
    ASSERT_EQ(reader.outcome(whole), Outcome::kRead);
    // An empty span may carry no pointer at all.
    EXPECT_EQ(reader.outcome(Span()), Outcome::kRefused) << "no bytes, no pointer";
    for (size_t length = 0; length < kShortLengths; ++length) {
      // A buffer of exactly the cut length: ASan sees a read past the cut.
      const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
      EXPECT_EQ(reader.outcome(cut), Outcome::kRefused) << length << " bytes";
    }
  }
}

}  // namespace
}  // namespace moravel
