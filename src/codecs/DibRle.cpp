#include "codecs/DibRle.h"

#include <algorithm>

#include "codecs/CodecError.h"

namespace moravel {

Result<void> ReadDibRle(const DibHeader& header, std::span<const uint8_t> data, Bitmap& out) {
  const bool four = header.compression == DibCompression::Rle4;
  const int width = header.width, height = header.height;
  size_t pos = 0;
  int x = 0, y = 0;  // y counts rows from the bottom; x stops at the right edge
  auto put = [&](unsigned index) {
    if (x >= width) return;
    out.set(x, height - 1 - y, header.palette[index]);
    ++x;
  };
  auto truncated = [] { return Malformed("RLE data truncated"); };
  while (y < height) {
    if (data.size() - pos < 2) return truncated();
    unsigned count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) {  // a run of one index (RLE8) or two alternating ones (RLE4)
      for (unsigned i = 0; i < count; ++i) put(four ? (i % 2 ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0, ++y;
    } else if (value == 1) {  // end of bitmap
      return {};
    } else if (value == 2) {  // move right and up
      if (data.size() - pos < 2) return truncated();
      x = std::min(width, x + data[pos]);
      y += data[pos + 1];
      pos += 2;
    } else {  // `value` literal indices, padded to an even byte count
      size_t bytes = four ? (value + 1) / 2 : value;
      if (data.size() - pos < bytes) return truncated();
      for (unsigned i = 0; i < value; ++i)
        put(four ? (data[pos + i / 2] >> (i % 2 ? 0 : 4)) & 15 : data[pos + i]);
      pos += bytes;
      if (bytes % 2 && pos < data.size()) ++pos;
    }
  }
  return {};
}

}  // namespace moravel
