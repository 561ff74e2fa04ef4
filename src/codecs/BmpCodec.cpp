#include "codecs/BmpCodec.h"

#include <string>

#include "codecs/ByteReader.h"
#include "codecs/CodecError.h"
#include "codecs/DibHeader.h"
#include "codecs/DibReader.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"

namespace moravel {

namespace {
constexpr size_t kFileHeaderSize = 14;  // "BM", file size, two reserved words, pixel offset
}

Result<Bitmap> DecodeBmp(std::span<const uint8_t> bytes, const PictureLimits& limits) {
  ByteReader in(bytes);
  if (bytes.size() < kFileHeaderSize || in.U8(0) != 'B' || in.U8(1) != 'M')
    return Malformed("not a BMP file");
  // The file size field is often wrong and is ignored; the pixel offset is trusted.
  uint32_t pixelStart = in.U32(10);
  if (pixelStart < kFileHeaderSize || pixelStart > bytes.size())
    return Malformed("BMP pixel data offset outside the file");
  Result<DibHeader> header =
      DibHeader::ReadFromFile(bytes.subspan(kFileHeaderSize), pixelStart - kFileHeaderSize, limits);
  if (!header) return header.error();
  auto pixels = bytes.subspan(pixelStart);
  if (header->compression == DibCompression::Png) return DecodePng(pixels, limits);
  if (header->compression == DibCompression::Jpeg) return DecodeJpeg(pixels, limits);
  return DibReader(*header).Read(pixels);
}

}  // namespace moravel
