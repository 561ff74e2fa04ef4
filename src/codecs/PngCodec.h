#pragma once
// PNG through libpng (the commonest files by a quicker path that gives the
// same pixels, PlainPngDecoder.h). Any colour type, bit depth, interlacing and
// tRNS decodes to 8-bit RGBA (16-bit samples are scaled down, rounding). Stored values are
// kept: gamma and background chunks are not applied. A bad CRC on any chunk
// refuses the file, as does a size over `limits`. Writing is 8-bit RGBA.

#include <cstdint>
#include <span>
#include <vector>

#include "base/Result.h"
#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

Result<Bitmap> DecodePng(std::span<const uint8_t> bytes, const PictureLimits& limits = {});
// The same, every file through libpng.
Result<Bitmap> DecodePngWithLibpng(std::span<const uint8_t> bytes,
                                   const PictureLimits& limits = {});

// Fast: light compression, for pictures that must appear at once.
enum class PngSpeed { Small, Fast };

// The bytes of `picture` as an 8-bit RGBA PNG (RGB when every pixel is
// opaque); kEmpty for an empty picture, kFailed when the encoder fails (out
// of memory).
Result<std::vector<uint8_t>> EncodePng(const Bitmap& picture, PngSpeed speed);

}  // namespace moravel
