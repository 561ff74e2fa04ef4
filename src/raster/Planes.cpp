#include "raster/Planes.h"

#include "raster/Blit.h"

namespace moravel {

Planes SplitBitmap(const Bitmap& bitmap) {
  // Both planes are no larger than the bitmap, whose byte count fits size_t.
  Planes p{*ColorPlane::Create(bitmap.width(), bitmap.height()),
           *AlphaPlane::Create(bitmap.width(), bitmap.height())};
  const size_t n = size_t(bitmap.width()) * size_t(bitmap.height());
  const uint8_t* s = bitmap.data();
  uint8_t* c = p.color.data();
  uint8_t* a = p.alpha.data();
  for (size_t i = 0; i < n; ++i, s += 4, c += 3) {
    c[0] = s[0], c[1] = s[1], c[2] = s[2];
    a[i] = s[3];
  }
  return p;
}

std::optional<Bitmap> JoinPlanes(const ColorPlane& color, const AlphaPlane& alpha) {
  if (color.width() != alpha.width() || color.height() != alpha.height()) return std::nullopt;
  std::optional<Bitmap> out = Bitmap::Create(color.width(), color.height());
  if (!out) return std::nullopt;
  const size_t n = size_t(color.width()) * size_t(color.height());
  const uint8_t* c = color.data();
  const uint8_t* a = alpha.data();
  uint8_t* d = out->data();
  for (size_t i = 0; i < n; ++i, c += 3, d += 4) {
    d[0] = c[0], d[1] = c[1], d[2] = c[2], d[3] = a[i];
  }
  return out;
}

bool BlendPlanes(ColorPlane& dst, const ColorPlane& src, const AlphaPlane& srcAlpha, int x, int y) {
  if (src.width() != srcAlpha.width() || src.height() != srcAlpha.height()) return false;
  const Blit b = ClipBlit(src.width(), src.height(), {0, 0, src.width(), src.height()}, dst.width(),
                          dst.height(), x, y);
  for (int r = 0; r < b.height; ++r) {
    const uint8_t* s = src.row(b.srcY + r) + size_t(b.srcX) * 3;
    const uint8_t* a = srcAlpha.row(b.srcY + r) + b.srcX;
    uint8_t* d = dst.row(b.dstY + r) + size_t(b.dstX) * 3;
    for (int i = 0; i < b.width; ++i, s += 3, d += 3) {
      const unsigned alpha = a[i];
      d[0] = BlendChannel(s[0], alpha, d[0]);
      d[1] = BlendChannel(s[1], alpha, d[1]);
      d[2] = BlendChannel(s[2], alpha, d[2]);
    }
  }
  return true;
}

void MergeAlpha(AlphaPlane& dst, const AlphaPlane& src, int x, int y) {
  const Blit b = ClipBlit(src.width(), src.height(), {0, 0, src.width(), src.height()}, dst.width(),
                          dst.height(), x, y);
  for (int r = 0; r < b.height; ++r) {
    const uint8_t* s = src.row(b.srcY + r) + b.srcX;
    uint8_t* d = dst.row(b.dstY + r) + b.dstX;
    for (int i = 0; i < b.width; ++i) d[i] = UnionAlpha(s[i], d[i]);
  }
}

}  // namespace moravel
