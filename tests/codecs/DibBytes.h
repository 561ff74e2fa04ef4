#pragma once
// Test helpers that write small BMP files and icon bitmaps byte by byte, so a
// test states exactly which header fields, masks, palette and rows it feeds
// the readers.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

namespace moravel::testing {

struct DibLayout {
  int width = 1;
  int height = 1;  // as stored: negative for top-down rows
  int bits = 24;
  uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields, 6 alpha bit fields
  uint32_t headerSize = 40;  // 12 (OS/2 core), 40, 108 or 124
  // Written at offset 40: inside a V4/V5 header, or after a 40-byte one.
  std::vector<uint32_t> masks;
  std::vector<Rgba> palette;    // written as B, G, R, 0 (B, G, R for the core header)
  uint32_t colorsUsed = 0;      // stored as is
  std::vector<uint8_t> pixels;  // stored rows, see Rows()
};

// Rows of bytes, each padded with zeros to a multiple of 4, first row first.
std::vector<uint8_t> Rows(const std::vector<std::vector<uint8_t>>& rows);

// The info header, masks, palette and pixels.
std::vector<uint8_t> DibBytes(const DibLayout& layout);

// A whole .bmp file: the 14-byte file header, then DibBytes(layout).
std::vector<uint8_t> BmpFile(const DibLayout& layout);

void PutLe16(std::vector<uint8_t>& out, uint32_t v);
void PutLe32(std::vector<uint8_t>& out, uint32_t v);

}  // namespace moravel::testing
