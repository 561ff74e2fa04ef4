#include "raster/WholeScale.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

namespace moravel {

int WholeScaleFor(double ratio) {
  if (!(ratio >= 1.5)) return 1;  // NaN too
  if (ratio >= kMaxScale - 0.5) return kMaxScale;
  return int(ratio + 0.5);
}

std::optional<Bitmap> EnlargeByWholePixels(const Bitmap& source, int factor) {
  try {
    if (factor <= 1) return source;
    const int64_t w = int64_t(source.width()) * factor, h = int64_t(source.height()) * factor;
    if (w > std::numeric_limits<int>::max() || h > std::numeric_limits<int>::max())
      return std::nullopt;
    std::optional<Bitmap> out = Bitmap::CreateForOverwrite(int(w), int(h));
    if (!out) return std::nullopt;
    const size_t rowBytes = size_t(w) * 4;
    for (int y = 0; y < source.height(); ++y) {
      const uint32_t* in = reinterpret_cast<const uint32_t*>(source.row(y));
      uint8_t* first = out->row(y * factor);
      uint32_t* px = reinterpret_cast<uint32_t*>(first);
      for (int x = 0; x < source.width(); ++x)
        for (int k = 0; k < factor; ++k) *px++ = in[x];
      for (int k = 1; k < factor; ++k) std::memcpy(out->row(y * factor + k), first, rowBytes);
    }
    return out;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace moravel
