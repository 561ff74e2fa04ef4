#include "codecs/DibReader.h"

#include <string>

#include "codecs/CodecError.h"
#include "codecs/DibRle.h"

namespace moravel {

int64_t DibReader::ImageBytes() const {
  return DibHeader::RowStride(header_.width, header_.bitCount) * header_.height;
}

void DibReader::ReadIndexedRow(const uint8_t* src, uint8_t* dst) const {
  const int bits = header_.bitCount;
  const unsigned indexMask = (1u << bits) - 1;
  for (int x = 0; x < header_.width; ++x, dst += 4) {
    size_t bit = size_t(x) * bits;
    unsigned index = (src[bit / 8] >> (8 - bits - bit % 8)) & indexMask;
    const Rgba& c = header_.palette[index];
    dst[0] = c.r, dst[1] = c.g, dst[2] = c.b, dst[3] = c.a;
  }
}

void DibReader::ReadPackedRow(const uint8_t* src, uint8_t* dst, bool& anyAlpha) const {
  const DibHeader& h = header_;
  const bool wide = h.bitCount == 32;
  for (int x = 0; x < h.width; ++x, dst += 4) {
    uint32_t pixel;
    if (wide) {
      const uint8_t* p = src + size_t(x) * 4;
      pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    } else {
      const uint8_t* p = src + size_t(x) * 2;
      pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8;
    }
    dst[0] = h.red.Read(pixel), dst[1] = h.green.Read(pixel), dst[2] = h.blue.Read(pixel);
    dst[3] = h.alpha.empty() ? 255 : h.alpha.Read(pixel);
    anyAlpha = anyAlpha || dst[3] != 0;
  }
}

Result<Bitmap> DibReader::Read(std::span<const uint8_t> pixels, bool* alphaUsed) const {
  const DibHeader& h = header_;
  if (alphaUsed) *alphaUsed = false;
  if (h.compression == DibCompression::Jpeg || h.compression == DibCompression::Png)
    return Unsupported("embedded JPEG or PNG data is not a DIB");
  bool rle = h.compression == DibCompression::Rle8 || h.compression == DibCompression::Rle4;
  if (!rle && uint64_t(ImageBytes()) > pixels.size())
    return Malformed("bitmap pixel data truncated");
  auto out = Bitmap::Create(h.width, h.height, Rgba{0, 0, 0, rle ? uint8_t(0) : uint8_t(255)});
  if (!out) return TooLarge("bitmap too large");
  if (rle) {
    if (Result<void> rle = ReadDibRle(h, pixels, *out); !rle) return rle.error();
    return std::move(*out);
  }
  const size_t stride = size_t(DibHeader::RowStride(h.width, h.bitCount));
  bool anyAlpha = false;
  for (int y = 0; y < h.height; ++y) {
    const uint8_t* src = pixels.data() + size_t(y) * stride;
    uint8_t* dst = out->row(h.topDown ? y : h.height - 1 - y);
    if (h.bitCount <= 8) {
      ReadIndexedRow(src, dst);
    } else if (h.bitCount == 24) {
      for (int x = 0; x < h.width; ++x, src += 3, dst += 4)
        dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
    } else {
      ReadPackedRow(src, dst, anyAlpha);
    }
  }
  if (h.alpha.empty()) return std::move(*out);
  if (h.guessAlpha && !anyAlpha) {
    // A fourth byte that is zero everywhere is padding, not a transparent picture.
    uint8_t* p = out->data();
    for (size_t i = 3; i < out->byteCount(); i += 4) p[i] = 255;
  } else if (alphaUsed) {
    *alphaUsed = true;
  }
  return std::move(*out);
}

}  // namespace moravel
