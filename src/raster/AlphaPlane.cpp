#include "raster/AlphaPlane.h"

#include <limits>

namespace moravel {

std::optional<AlphaPlane> AlphaPlane::Create(int width, int height, uint8_t fill) {
  if (width < 0 || height < 0) return std::nullopt;
  const size_t w = size_t(width), h = size_t(height);
  if (w != 0 && h > std::numeric_limits<size_t>::max() / w) return std::nullopt;
  AlphaPlane p;
  p.width_ = width;
  p.height_ = height;
  p.bytes_.assign(w * h, fill);
  return p;
}

}  // namespace moravel
