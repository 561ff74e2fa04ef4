#include "platform_win32/SquareIcon.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "codecs/PictureLimits.h"
#include "raster/Drawing.h"
#include "raster/Stretch.h"

namespace moravel {
namespace {

void Premultiply(Bitmap& picture) {
  uint8_t* p = picture.data();
  for (size_t i = 0; i < picture.byteCount(); i += 4) {
    const unsigned alpha = p[i + 3];
    for (size_t c = 0; c < 3; ++c) p[i + c] = uint8_t((p[i + c] * alpha + 127) / 255);
  }
}

void Unpremultiply(Bitmap& picture) {
  uint8_t* p = picture.data();
  for (size_t i = 0; i < picture.byteCount(); i += 4) {
    const unsigned alpha = p[i + 3];
    for (size_t c = 0; c < 3; ++c) {
      p[i + c] = alpha == 0 ? 0 : uint8_t(std::min(255u, (p[i + c] * 255u + alpha / 2) / alpha));
    }
  }
}

// The side `side` becomes when `longer` becomes `size`, rounded, at least 1.
int Scaled(int64_t side, int64_t longer, int size) {
  return int(std::max<int64_t>(1, (side * size + longer / 2) / longer));
}

}  // namespace

Bitmap SquareIcon(Bitmap picture, int size) {
  if (picture.empty() || !PictureSizeAllowed(size, size)) return {};
  const int width = picture.width();
  const int height = picture.height();
  const int fitWidth = width >= height ? size : Scaled(width, height, size);
  const int fitHeight = height >= width ? size : Scaled(height, width, size);
  if (fitWidth != width || fitHeight != height) {
    Premultiply(picture);
    if (!StretchBitmapToSize(picture, fitWidth, fitHeight)) return {};
    Unpremultiply(picture);
  }
  std::optional<Bitmap> square = Bitmap::Create(size, size);
  if (!square) return {};
  DrawBitmap(*square, picture, (size - fitWidth) / 2, (size - fitHeight) / 2, DrawMode::Copy);
  return std::move(*square);
}

}  // namespace moravel
