#include "codecs/IcoCodec.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "codecs/ByteReader.h"
#include "codecs/DibHeader.h"
#include "codecs/DibReader.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

constexpr size_t kDirectorySize = 6, kEntrySize = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// An icon entry whose bytes lie in the file, with the size and depth its own
// data states (the directory's copies are often wrong or zero).
struct Entry {
  std::span<const uint8_t> data;
  uint64_t area = 0;  // pixels
  int bits = 0;       // per pixel
  bool png = false;
};

uint32_t BigEndian32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

std::optional<Entry> ExamineEntry(std::span<const uint8_t> data) {
  Entry e{data};
  if (data.size() >= sizeof kPngSignature &&
      std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin())) {
    // The IHDR chunk follows the signature: width, height, depth, colour type.
    if (data.size() < 26) return std::nullopt;
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    unsigned colourType = data[25];
    e.png = true;
    e.area = uint64_t(BigEndian32(data, 16)) * BigEndian32(data, 20);
    e.bits = data[24] * (colourType < 7 ? channels[colourType] : 0);
    return e;
  }
  ByteReader in(data);
  int64_t width = in.I32(4), height = in.I32(8);
  e.bits = in.U16(14);
  if (!in.ok()) return std::nullopt;
  e.area = uint64_t(std::abs(width)) * uint64_t(std::abs(height / 2));
  return e;
}

// Clears the alpha of every pixel whose AND mask bit is set. `mask` holds
// 1-bit rows padded to 4 bytes, stored in the same order as the colour rows.
bool ApplyAndMask(const DibHeader& h, std::span<const uint8_t> mask, Bitmap& picture) {
  const size_t stride = size_t(DibHeader::RowStride(h.width, 1));
  if (mask.size() / stride < size_t(h.height)) return false;
  for (int y = 0; y < h.height; ++y) {
    const uint8_t* bits = mask.data() + size_t(y) * stride;
    uint8_t* dst = picture.row(h.topDown ? y : h.height - 1 - y);
    for (int x = 0; x < h.width; ++x)
      if (bits[x / 8] >> (7 - x % 8) & 1) dst[4 * x + 3] = 0;
  }
  return true;
}

DecodeResult DecodeDibEntry(std::span<const uint8_t> data) {
  std::string error;
  auto header = DibHeader::ReadFromIcon(data, error);
  if (!header) return DecodeResult::Failure(error);
  if (header->compression != DibCompression::None &&
      header->compression != DibCompression::BitFields)
    return DecodeResult::Failure("compressed icon bitmaps are not supported");
  DibReader reader(*header);
  auto pixels = data.subspan(header->pixelOffset);
  bool alphaUsed = false;
  DecodeResult result = reader.Read(pixels, &alphaUsed);
  if (!result.ok() || alphaUsed) return result;
  if (!ApplyAndMask(*header, pixels.subspan(size_t(reader.ImageBytes())), *result.picture))
    return DecodeResult::Failure("icon AND mask truncated");
  return result;
}

}  // namespace

DecodeResult DecodeIco(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  unsigned reserved = in.U16(0), type = in.U16(2), count = in.U16(4);
  if (!in.ok() || reserved != 0 || (type != 1 && type != 2))  // 1: icon, 2: cursor
    return DecodeResult::Failure("not an icon file");
  std::optional<Entry> best;
  for (unsigned i = 0; i < count; ++i) {
    size_t at = kDirectorySize + i * kEntrySize;
    uint32_t size = in.U32(at + 8), offset = in.U32(at + 12);
    if (!in.ok()) return DecodeResult::Failure("icon directory truncated");
    if (size == 0 || !in.Has(offset, size)) continue;  // outside the file: skipped
    auto entry = ExamineEntry(bytes.subspan(offset, size));
    if (!entry) continue;
    if (!best || entry->area > best->area ||
        (entry->area == best->area && entry->bits > best->bits))
      best = entry;
  }
  if (!best) return DecodeResult::Failure("icon has no usable entry");
  return best->png ? DecodePng(best->data) : DecodeDibEntry(best->data);
}

}  // namespace moravel
