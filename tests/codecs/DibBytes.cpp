#include "codecs/DibBytes.h"

namespace moravel::testing {

void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

std::vector<uint8_t> Rows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize((out.size() + 3) / 4 * 4, 0);
  }
  return out;
}

std::vector<uint8_t> DibBytes(const DibLayout& layout) {
  std::vector<uint8_t> out;
  PutLe32(out, layout.headerSize);
  if (layout.headerSize == 12) {
    PutLe16(out, uint32_t(layout.width));
    PutLe16(out, uint32_t(layout.height));
    PutLe16(out, 1);
    PutLe16(out, uint32_t(layout.bits));
  } else {
    PutLe32(out, uint32_t(layout.width));
    PutLe32(out, uint32_t(layout.height));
    PutLe16(out, 1);
    PutLe16(out, uint32_t(layout.bits));
    PutLe32(out, layout.compression);
    PutLe32(out, uint32_t(layout.pixels.size()));
    PutLe32(out, 2835);  // pixels per metre
    PutLe32(out, 2835);
    PutLe32(out, layout.colorsUsed);
    PutLe32(out, 0);  // important colours
    for (uint32_t mask : layout.masks) PutLe32(out, mask);
    if (out.size() < layout.headerSize) out.resize(layout.headerSize, 0);
  }
  for (const Rgba& c : layout.palette) {
    out.insert(out.end(), {c.b, c.g, c.r});
    if (layout.headerSize != 12) out.push_back(0);
  }
  out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
  return out;
}

std::vector<uint8_t> BmpFile(const DibLayout& layout) {
  std::vector<uint8_t> dib = DibBytes(layout);
  std::vector<uint8_t> out = {'B', 'M'};
  PutLe32(out, uint32_t(14 + dib.size()));
  PutLe32(out, 0);
  PutLe32(out, uint32_t(14 + dib.size() - layout.pixels.size()));
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

}  // namespace moravel::testing
