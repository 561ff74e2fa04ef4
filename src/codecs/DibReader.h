#pragma once
// Turns the pixel data of a device-independent bitmap into a Bitmap: palette
// indices, 24-bit BGR, 16- and 32-bit packed pixels with any masks, and RLE4
// and RLE8. Shared by the BMP and icon readers.

#include <cstdint>
#include <span>

#include "base/Result.h"
#include "codecs/DibHeader.h"
#include "raster/Bitmap.h"

namespace moravel {

class DibReader {
 public:
  // The reader keeps a reference to `header`, which must outlive it.
  explicit DibReader(const DibHeader& header) : header_(header) {}

  // Decodes `pixels`, which start at the first stored row. Uncompressed data
  // must hold every row; RLE data may stop early with its end mark (pixels it
  // never writes are transparent black). Jpeg and Png compressions are the
  // caller's to handle and fail here. `alphaUsed`, when given, is set to
  // whether the picture's alpha came from the file (an alpha mask, or a 32-bit
  // fourth byte that is not zero everywhere).
  Result<Bitmap> Read(std::span<const uint8_t> pixels, bool* alphaUsed = nullptr) const;

  // Bytes the uncompressed rows take.
  int64_t ImageBytes() const;

 private:
  void ReadIndexedRow(const uint8_t* src, uint8_t* dst) const;
  void ReadPackedRow(const uint8_t* src, uint8_t* dst, bool& anyAlpha) const;

  const DibHeader& header_;
};

}  // namespace moravel
