#pragma once
// The commonest PNG, decoded without libpng: 8-bit RGBA or RGB, not
// interlaced, with no palette and no transparency key, up to 64 MiB of image
// data (16 megapixels of RGBA), as skins and the button editor store them.
// Its image data is inflated in one go (libdeflate), several times quicker
// than row by row through zlib, which is most of a skin's start-up decoding.
//
// Anything else, and anything unusual or damaged (a bad CRC, an unknown
// critical chunk, IDAT chunks apart, too much or too little image data, a
// bad filter byte, no IEND, a size over `limits`), gives nothing: the caller
// then reads the file with libpng, which decides, so its verdicts and
// messages stay the only ones. A picture given here is the one libpng gives.

#include <cstdint>
#include <optional>
#include <span>

#include "codecs/PictureLimits.h"
#include "raster/Bitmap.h"

namespace moravel {

std::optional<Bitmap> DecodePlainPng(std::span<const uint8_t> bytes,
                                     const PictureLimits& limits = {});

}  // namespace moravel
