#include "codecs/IcoCodec.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "codecs/ByteReader.h"
#include "codecs/CodecError.h"
#include "codecs/DibHeader.h"
#include "codecs/DibReader.h"
#include "codecs/PictureLimits.h"
#include "codecs/PngCodec.h"

namespace moravel {
namespace {

constexpr size_t kDirectorySize = 6, kEntrySize = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWithPngSignature(std::span<const uint8_t> data) {
  return data.size() >= sizeof kPngSignature &&
         std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin());
}

uint64_t Area(const IconEntry& e) {
  return uint64_t(e.width) * uint64_t(e.height);
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

Result<Bitmap> DecodeDibEntry(std::span<const uint8_t> data, const PictureLimits& limits) {
  Result<DibHeader> header = DibHeader::ReadFromIcon(data, limits);
  if (!header) return header.error();
  if (header->compression != DibCompression::None &&
      header->compression != DibCompression::BitFields)
    return Unsupported("compressed icon bitmaps are not supported");
  DibReader reader(*header);
  auto pixels = data.subspan(header->pixelOffset);
  bool alphaUsed = false;
  Result<Bitmap> result = reader.Read(pixels, &alphaUsed);
  if (!result.ok() || alphaUsed) return result;
  if (!ApplyAndMask(*header, pixels.subspan(size_t(reader.ImageBytes())), *result))
    return Malformed("icon AND mask truncated");
  return result;
}

// The entries of an icon file whose bytes lie in the file and whose data
// states a size within `limits`. Nothing when the directory itself is broken.
Result<std::vector<IconEntry>> ReadDirectory(std::span<const uint8_t> bytes,
                                             const PictureLimits& limits) {
  ByteReader in(bytes);
  unsigned reserved = in.U16(0), type = in.U16(2), count = in.U16(4);
  if (!in.ok() || reserved != 0 || (type != 1 && type != 2))  // 1: icon, 2: cursor
    return Malformed("not an icon file");
  std::vector<IconEntry> entries;
  bool overLimits = false;
  for (unsigned i = 0; i < count; ++i) {
    size_t at = kDirectorySize + i * kEntrySize;
    uint32_t size = in.U32(at + 8), offset = in.U32(at + 12);
    if (!in.ok()) return Malformed("icon directory truncated");
    if (size == 0 || !in.Has(offset, size)) continue;  // outside the file: skipped
    auto entry = ExamineIconEntry(bytes.subspan(offset, size));
    if (entry && limits.Allows(entry->width, entry->height))
      entries.push_back(*entry);
    else
      overLimits = overLimits || entry.has_value();
  }
  // Nothing left but entries over the limits: the icon is too large, not damaged.
  if (entries.empty())
    return Error{overLimits ? ErrorKind::kTooLarge : ErrorKind::kMalformed,
                 "icon has no usable entry"};
  return entries;
}

}  // namespace

std::optional<IconEntry> ExamineIconEntry(std::span<const uint8_t> data) {
  IconEntry e{data};
  int64_t width = 0, height = 0;
  if (StartsWithPngSignature(data)) {
    // The IHDR chunk follows the signature: width, height, depth, colour type.
    if (data.size() < 26) return std::nullopt;
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    unsigned colourType = data[25];
    e.png = true;
    width = BigEndian32(data.data() + 16), height = BigEndian32(data.data() + 20);
    e.bits = data[24] * (colourType < 7 ? channels[colourType] : 0);
  } else {
    ByteReader in(data);
    width = std::abs(int64_t(in.I32(4)));
    height = std::abs(int64_t(in.I32(8))) / 2;  // the stored height counts the AND mask
    e.bits = in.U16(14);
    if (!in.ok()) return std::nullopt;
  }
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  e.width = int(width), e.height = int(height);
  return e;
}

Result<Bitmap> DecodeIconEntry(std::span<const uint8_t> data, const PictureLimits& limits) {
  return StartsWithPngSignature(data) ? DecodePng(data, limits) : DecodeDibEntry(data, limits);
}

size_t PickIconEntry(std::span<const IconEntry> entries, int size) {
  auto distance = [size](const IconEntry& e) {
    return std::abs(int64_t(e.width) - size) + std::abs(int64_t(e.height) - size);
  };
  size_t best = 0;
  for (size_t i = 1; i < entries.size(); ++i) {
    const IconEntry &e = entries[i], &b = entries[best];
    if (distance(e) != distance(b)) {
      if (distance(e) < distance(b)) best = i;
    } else if (e.bits != b.bits) {
      if (e.bits > b.bits) best = i;
    } else if (Area(e) > Area(b)) {
      best = i;
    }
  }
  return best;
}

Result<Bitmap> DecodeIco(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  Result<std::vector<IconEntry>> entries = ReadDirectory(bytes, limits);
  if (!entries) return entries.error();
  const IconEntry* best = &entries->front();
  for (const IconEntry& e : *entries)
    if (Area(e) > Area(*best) || (Area(e) == Area(*best) && e.bits > best->bits)) best = &e;
  return DecodeIconEntry(best->data, limits);
}

Result<Bitmap> DecodeIcoNearest(std::span<const uint8_t> bytes, int size,
                                const PictureLimits& limits) {
  Result<std::vector<IconEntry>> entries = ReadDirectory(bytes, limits);
  if (!entries) return entries.error();
  return DecodeIconEntry((*entries)[PickIconEntry(*entries, size)].data, limits);
}

}  // namespace moravel
