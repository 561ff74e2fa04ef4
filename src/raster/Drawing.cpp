#include "raster/Drawing.h"

#include <cstring>

#include "raster/Blit.h"

namespace moravel {

void CopyRect(Bitmap& dst, int x, int y, const Bitmap& src, Rect from) {
  const Blit b = ClipBlit(src.width(), src.height(), from, dst.width(), dst.height(), x, y);
  if (b.empty()) return;
  for (int r = 0; r < b.height; ++r) {
    std::memcpy(dst.row(b.dstY + r) + size_t(b.dstX) * 4, src.row(b.srcY + r) + size_t(b.srcX) * 4,
                size_t(b.width) * 4);
  }
}

void FillRect(Bitmap& dst, Rect area, Rgba color) {
  const Rect r = Intersect(area, {0, 0, dst.width(), dst.height()});
  if (r.empty()) return;
  for (int y = r.y; y < r.bottom(); ++y) {
    uint8_t* p = dst.row(y) + size_t(r.x) * 4;
    for (int i = 0; i < r.width; ++i, p += 4) {
      p[0] = color.r, p[1] = color.g, p[2] = color.b, p[3] = color.a;
    }
  }
}

void BlendRect(Bitmap& dst, int x, int y, const Bitmap& src, Rect from) {
  const Blit b = ClipBlit(src.width(), src.height(), from, dst.width(), dst.height(), x, y);
  if (b.empty()) return;
  for (int r = 0; r < b.height; ++r) {
    const uint8_t* s = src.row(b.srcY + r) + size_t(b.srcX) * 4;
    uint8_t* d = dst.row(b.dstY + r) + size_t(b.dstX) * 4;
    for (int i = 0; i < b.width; ++i, s += 4, d += 4) {
      const unsigned a = s[3];
      if (a == 0) continue;
      if (a == 255) {  // the blend gives the source exactly; skip the arithmetic
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        continue;
      }
      d[0] = BlendChannel(s[0], a, d[0]);
      d[1] = BlendChannel(s[1], a, d[1]);
      d[2] = BlendChannel(s[2], a, d[2]);
      d[3] = UnionAlpha(a, d[3]);
    }
  }
}

void DrawBitmap(Bitmap& dst, const Bitmap& src, int x, int y, DrawMode mode) {
  const Rect whole{0, 0, src.width(), src.height()};
  if (mode == DrawMode::Copy) {
    CopyRect(dst, x, y, src, whole);
  } else {
    BlendRect(dst, x, y, src, whole);
  }
}

}  // namespace moravel
