#pragma once
// Test helpers that write icon files and their images byte by byte.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

namespace moravel::testing {

// An icon file holding `entries` in this order. The directory's own size and
// depth bytes are left 0: the reader takes them from the entries' data.
std::vector<uint8_t> IcoFile(const std::vector<std::vector<uint8_t>>& entries);

// A bitmap entry: the colour rows and the 1-bit AND rows, both bottom row
// first, under a header whose height counts both.
std::vector<uint8_t> BitmapEntry(int width, int height, int bits, std::vector<Rgba> palette,
                                 const std::vector<std::vector<uint8_t>>& colourRows,
                                 const std::vector<std::vector<uint8_t>>& maskRows);

// A bitmap entry of one `bits` depth whose every pixel is the opaque
// `colour`, to tell entries apart.
std::vector<uint8_t> PlainEntry(int width, int height, int bits, Rgba colour);

// A PNG entry of width x height pixels, all `colour`.
std::vector<uint8_t> PlainPngEntry(int width, int height, Rgba colour);

}  // namespace moravel::testing
