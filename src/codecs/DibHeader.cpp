#include "codecs/DibHeader.h"

#include <algorithm>
#include <string>
#include <utility>

#include "codecs/ByteReader.h"
#include "codecs/CodecError.h"
#include "codecs/PictureLimits.h"

namespace moravel {
namespace {

// Compression values as stored in the info header.
constexpr uint32_t kStoredRgb = 0, kStoredRle8 = 1, kStoredRle4 = 2, kStoredBitFields = 3,
                   kStoredJpeg = 4, kStoredPng = 5, kStoredAlphaBitFields = 6;

// 12: OS/2 1.x core header; 16 and 64: OS/2 2.x; the rest are the Windows
// headers (40, 52 and 56 bytes, then V4 and V5).
bool KnownHeaderSize(uint32_t size) {
  return size == 12 || size == 16 || size == 40 || size == 52 || size == 56 || size == 64 ||
         size == 108 || size == 124;
}

Result<DibCompression> ReadCompression(uint32_t stored, int bits, bool os2) {
  if (os2 && stored == kStoredBitFields) {
    return Unsupported("Huffman-compressed bitmaps are not supported");
  }
  if (os2 && stored == kStoredJpeg) {
    return Unsupported("RLE24 bitmaps are not supported");
  }
  bool packed = bits == 16 || bits == 32;
  switch (stored) {
    case kStoredRgb:
      if (bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24 || packed)
        return DibCompression::None;
      break;
    case kStoredRle8:
      if (bits == 8) return DibCompression::Rle8;
      break;
    case kStoredRle4:
      if (bits == 4) return DibCompression::Rle4;
      break;
    case kStoredBitFields:
    case kStoredAlphaBitFields:
      if (packed) return DibCompression::BitFields;
      break;
    case kStoredJpeg:
      return DibCompression::Jpeg;
    case kStoredPng:
      return DibCompression::Png;
    default:
      return Unsupported("unknown BMP compression " + std::to_string(stored));
  }
  return Unsupported("unsupported bit count " + std::to_string(bits) + " for BMP compression " +
                     std::to_string(stored));
}

// Fills the masks; returns the bytes of masks stored after the header.
size_t ReadMasks(ByteReader& in, uint32_t headerSize, uint32_t stored, DibHeader& h) {
  if (h.compression != DibCompression::BitFields) {
    if (h.bitCount == 16) {
      h.red = ColourMask(0x7C00), h.green = ColourMask(0x03E0), h.blue = ColourMask(0x001F);
    } else if (h.bitCount == 32) {
      h.red = ColourMask(0xFF0000), h.green = ColourMask(0xFF00), h.blue = ColourMask(0xFF);
      h.alpha = ColourMask(0xFF000000u);
      h.guessAlpha = true;
    }
    return 0;
  }
  // The masks sit at offset 40 either way: inside a larger header, or right
  // after a 40-byte one.
  bool withAlpha = stored == kStoredAlphaBitFields || headerSize >= 56;
  h.red = ColourMask(in.U32(40)), h.green = ColourMask(in.U32(44)), h.blue = ColourMask(in.U32(48));
  if (withAlpha) h.alpha = ColourMask(in.U32(52));
  if (headerSize > 40) return 0;
  return withAlpha ? 16 : 12;
}

Result<void> ReadPalette(std::span<const uint8_t> dib, size_t start, uint32_t headerSize,
                         uint32_t colorsUsed, std::optional<size_t> pixelStart, DibHeader& h) {
  size_t entrySize = headerSize == 12 ? 3 : 4;
  uint64_t declared = colorsUsed;
  if (declared == 0 && h.bitCount <= 8) declared = uint64_t(1) << h.bitCount;
  uint64_t wanted = h.bitCount <= 8 ? std::min<uint64_t>(declared, 1u << h.bitCount) : 0;
  uint64_t count = wanted;
  if (pixelStart) {
    if (*pixelStart < start) {
      return Malformed("BMP pixel data overlaps the header");
    }
    size_t end = std::min(*pixelStart, dib.size());
    count = std::min<uint64_t>(wanted, end >= start ? (end - start) / entrySize : 0);
  } else {
    uint64_t end = start + declared * entrySize;
    if (end > dib.size()) {
      return Malformed("palette truncated");
    }
    h.pixelOffset = size_t(end);
  }
  if (h.bitCount > 8) return {};
  if (count == 0) {
    return Malformed("palette missing");
  }
  h.palette.assign(size_t(1) << h.bitCount, Rgba{0, 0, 0, 255});
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = dib.data() + start + i * entrySize;
    h.palette[i] = Rgba{p[2], p[1], p[0], 255};
  }
  return {};
}

Result<DibHeader> Read(std::span<const uint8_t> dib, std::optional<size_t> pixelStart, bool icon,
                       const PictureLimits& limits) {
  ByteReader in(dib);
  uint32_t headerSize = in.U32(0);
  if (!in.ok()) {
    return Malformed("info header truncated");
  }
  if (!KnownHeaderSize(headerSize)) {
    return Unsupported("unknown info header size " + std::to_string(headerSize));
  }
  if (!in.Has(0, headerSize)) {
    return Malformed("info header truncated");
  }
  DibHeader h;
  int64_t width, height;
  unsigned planes;
  uint32_t stored = kStoredRgb, colorsUsed = 0;
  if (headerSize == 12) {
    width = in.U16(4), height = in.U16(6), planes = in.U16(8), h.bitCount = in.U16(10);
  } else {
    width = in.I32(4), height = in.I32(8), planes = in.U16(12), h.bitCount = in.U16(14);
    if (headerSize >= 40) stored = in.U32(16), colorsUsed = in.U32(32);
  }
  if (planes != 1) {
    return Malformed("bitmap planes must be 1");
  }
  h.topDown = height < 0;
  height = h.topDown ? -height : height;
  if (icon) height /= 2;
  if (!limits.Allows(width, height)) {
    return TooLarge("bad or too large bitmap size " + std::to_string(width) + " x " +
                    std::to_string(height));
  }
  h.width = int(width), h.height = int(height);
  bool os2 = headerSize == 16 || headerSize == 64;
  Result<DibCompression> compression = ReadCompression(stored, h.bitCount, os2);
  if (!compression) return compression.error();
  h.compression = *compression;
  if (h.topDown &&
      (h.compression == DibCompression::Rle8 || h.compression == DibCompression::Rle4)) {
    return Malformed("RLE bitmaps cannot be stored top-down");
  }
  size_t maskBytes = ReadMasks(in, headerSize, stored, h);
  if (!in.ok()) {
    return Malformed("colour masks truncated");
  }
  // Embedded JPEG and PNG streams carry their own colours.
  if (h.compression == DibCompression::Jpeg || h.compression == DibCompression::Png) return h;
  if (Result<void> palette =
          ReadPalette(dib, headerSize + maskBytes, headerSize, colorsUsed, pixelStart, h);
      !palette)
    return palette.error();
  return h;
}

}  // namespace

Result<DibHeader> DibHeader::ReadFromFile(std::span<const uint8_t> dib, size_t pixelStart,
                                          const PictureLimits& limits) {
  return Read(dib, pixelStart, false, limits);
}

Result<DibHeader> DibHeader::ReadFromIcon(std::span<const uint8_t> dib,
                                          const PictureLimits& limits) {
  return Read(dib, std::nullopt, true, limits);
}

}  // namespace moravel
