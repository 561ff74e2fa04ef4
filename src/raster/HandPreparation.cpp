#include "raster/HandPreparation.h"

#include "raster/Drawing.h"

namespace moravel {

void ApplyColorKey(Bitmap& bitmap) {
  if (bitmap.empty()) return;
  const Rgba corner = bitmap.at(0, 0);
  if (corner.a != 255) return;
  const size_t n = size_t(bitmap.width()) * size_t(bitmap.height());
  uint8_t* p = bitmap.data();
  for (size_t i = 0; i < n; ++i, p += 4) {
    if (p[0] == corner.r && p[1] == corner.g && p[2] == corner.b && p[3] == 255) p[3] = 0;
  }
}

void ClearEdgeFrame(Bitmap& bitmap) {
  const Rgba clear{255, 255, 255, 0};
  const int w = bitmap.width(), h = bitmap.height();
  FillRect(bitmap, {0, 0, w, 1}, clear);
  FillRect(bitmap, {0, h - 1, w, 1}, clear);
  FillRect(bitmap, {0, 0, 1, h}, clear);
  FillRect(bitmap, {w - 1, 0, 1, h}, clear);
}

}  // namespace moravel
