#pragma once
// The description that precedes the pixels of a device-independent bitmap
// (DIB): the info header, the colour masks and the palette. BMP files and
// icon entries both store their pictures this way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/Result.h"
#include "codecs/ColourMask.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

enum class DibCompression { None, Rle8, Rle4, BitFields, Jpeg, Png };

struct DibHeader {
  int width = 0;   // pixels, > 0
  int height = 0;  // pixels, > 0 (the sign of the stored height is in topDown)
  bool topDown = false;
  int bitCount = 0;  // 1, 2, 4, 8, 16, 24 or 32 (0 for Jpeg and Png)
  DibCompression compression = DibCompression::None;

  // For 16 and 32 bits. With `guessAlpha` the alpha mask reads a byte the file
  // does not declare: it counts only when some pixel has it non-zero.
  ColourMask red, green, blue, alpha;
  bool guessAlpha = false;

  // For 1 to 8 bits: always 2^bitCount entries, those the file lacks are
  // opaque black.
  std::vector<Rgba> palette;

  // Icons only: where the pixels start, in bytes from the start of the info
  // header (they follow the palette directly).
  size_t pixelOffset = 0;

  // Reads the header at the start of `dib`, the bytes after a BMP file
  // header. The palette ends where the pixels start, at `pixelStart` bytes
  // from the start of `dib`; a palette that claims more entries than fit is
  // cut. A size over `limits` is kTooLarge, a variant not handled
  // kUnsupported, damage kMalformed.
  static Result<DibHeader> ReadFromFile(std::span<const uint8_t> dib, size_t pixelStart,
                                        const PictureLimits& limits = {});

  // Reads the header of an icon entry: the stored height counts the AND mask
  // too and is halved; the palette must be whole and the pixels follow it.
  static Result<DibHeader> ReadFromIcon(std::span<const uint8_t> dib,
                                        const PictureLimits& limits = {});

  // Bytes per stored row: width * bitCount bits, rounded up to 4 bytes.
  static int64_t RowStride(int64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }
};

}  // namespace moravel
