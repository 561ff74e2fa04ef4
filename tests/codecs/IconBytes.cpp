#include "codecs/IconBytes.h"

#include <gtest/gtest.h>

#include "codecs/DibBytes.h"
#include "codecs/PngCodec.h"

namespace moravel::testing {

std::vector<uint8_t> IcoFile(const std::vector<std::vector<uint8_t>>& entries) {
  std::vector<uint8_t> out;
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, uint32_t(entries.size()));
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const auto& e : entries) {
    out.insert(out.end(), {0, 0, 0, 0});
    PutLe16(out, 1);
    PutLe16(out, 0);
    PutLe32(out, uint32_t(e.size()));
    PutLe32(out, offset);
    offset += uint32_t(e.size());
  }
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

std::vector<uint8_t> BitmapEntry(int width, int height, int bits, std::vector<Rgba> palette,
                                 const std::vector<std::vector<uint8_t>>& colourRows,
                                 const std::vector<std::vector<uint8_t>>& maskRows) {
  DibLayout layout{.width = width, .height = 2 * height, .bits = bits, .palette = palette};
  layout.colorsUsed = uint32_t(palette.size());
  layout.pixels = Rows(colourRows);
  std::vector<uint8_t> mask = Rows(maskRows);
  layout.pixels.insert(layout.pixels.end(), mask.begin(), mask.end());
  return DibBytes(layout);
}

std::vector<uint8_t> PlainEntry(int width, int height, int bits, Rgba colour) {
  std::vector<uint8_t> row;
  std::vector<Rgba> palette;
  if (bits == 32) {
    for (int x = 0; x < width; ++x) row.insert(row.end(), {colour.b, colour.g, colour.r, 0});
  } else {
    row.assign(size_t((width * bits + 7) / 8), 0);  // every index 0
    palette = {colour};
  }
  std::vector<uint8_t> maskRow(size_t((width + 7) / 8), 0);
  return BitmapEntry(width, height, bits, palette,
                     std::vector<std::vector<uint8_t>>(size_t(height), row),
                     std::vector<std::vector<uint8_t>>(size_t(height), maskRow));
}

std::vector<uint8_t> PlainPngEntry(int width, int height, Rgba colour) {
  auto picture = Bitmap::Create(width, height, colour);
  EXPECT_TRUE(picture);
  if (!picture) return {};
  Result<std::vector<uint8_t>> png = EncodePng(*picture, PngSpeed::Small);
  EXPECT_TRUE(png.ok()) << png.error().message;
  return png ? std::move(*png) : std::vector<uint8_t>();
}

}  // namespace moravel::testing
