#pragma once
// RLE8 and RLE4 pixel data of a bottom-up DIB.

#include <cstdint>
#include <span>

#include "base/Result.h"
#include "codecs/DibHeader.h"
#include "raster/Bitmap.h"

namespace moravel {

// Paints the RLE-coded `data` into `out` (header.width x header.height, which
// the caller fills beforehand with the colour of unwritten pixels). Runs that
// pass the right edge are clipped and a delta below the picture ends it.
// kMalformed when the data ends before the picture does.
Result<void> ReadDibRle(const DibHeader& header, std::span<const uint8_t> data, Bitmap& out);

}  // namespace moravel
