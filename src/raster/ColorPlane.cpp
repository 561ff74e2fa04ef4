#include "raster/ColorPlane.h"

#include <limits>

namespace moravel {

std::optional<ColorPlane> ColorPlane::Create(int width, int height) {
  if (width < 0 || height < 0) return std::nullopt;
  const size_t w = size_t(width), h = size_t(height);
  if (w != 0 && h > std::numeric_limits<size_t>::max() / 3 / w) return std::nullopt;
  ColorPlane p;
  p.width_ = width;
  p.height_ = height;
  p.bytes_.resize(w * h * 3);
  return p;
}

}  // namespace moravel
