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
    int i = 0;
    while (i < b.width) {
      const unsigned a = s[size_t(i) * 4 + 3];
      if (a == 255) {  // a run of opaque pixels: the blend gives the source exactly
        int end = i + 1;
        while (end < b.width && s[size_t(end) * 4 + 3] == 255) ++end;
        std::memcpy(d + size_t(i) * 4, s + size_t(i) * 4, size_t(end - i) * 4);
        i = end;
        continue;
      }
      if (a != 0) {
        uint8_t* p = d + size_t(i) * 4;
        const uint8_t* q = s + size_t(i) * 4;
        p[0] = BlendChannel(q[0], a, p[0]);
        p[1] = BlendChannel(q[1], a, p[1]);
        p[2] = BlendChannel(q[2], a, p[2]);
        p[3] = UnionAlpha(a, p[3]);
      }
      ++i;
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
