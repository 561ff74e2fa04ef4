#include "placement/Silhouette.h"

#include "codecs/ScaledPictureFile.h"

namespace moravel {

Bitmap MakeSilhouette(const std::filesystem::path& picture, Rgba colour, int scale) {
  Result<Bitmap> loaded = LoadPictureAtScale(picture, scale);
  if (!loaded.ok()) return {};
  Bitmap out = std::move(*loaded);
  uint8_t* p = out.data();
  const size_t bytes = out.byteCount();
  for (size_t i = 0; i < bytes; i += 4) {
    p[i] = colour.r;
    p[i + 1] = colour.g;
    p[i + 2] = colour.b;
    p[i + 3] = uint8_t(p[i + 3] / 2);
  }
  return out;
}

}  // namespace moravel
