#pragma once
// Copying, filling and drawing onto RGBA bitmaps. Every routine clips at all
// four edges of every picture involved; positions may be negative.

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

enum class DrawMode {
  Copy,   // the source pixels replace the destination pixels
  Blend,  // the source is laid over the destination by its alpha (see DrawBitmap)
};

// Copies the `from` rectangle of src to (x, y) of dst, replacing pixels.
// src and dst must not be the same bitmap.
void CopyRect(Bitmap& dst, int x, int y, const Bitmap& src, Rect from);

// Sets every pixel of `area` (clipped to dst) to `color`.
void FillRect(Bitmap& dst, Rect area, Rgba color);

// Lays the `from` rectangle of src over (x, y) of dst by its alpha, with the
// colour and alpha rules of DrawBitmap's Blend mode.
void BlendRect(Bitmap& dst, int x, int y, const Bitmap& src, Rect from);

// Draws all of src with its top-left corner at (x, y) of dst.
// Blend: each colour channel becomes (S * a + (255 - a) * P + 255) div 256
// (S source, a source alpha, P old destination value), and the destination
// alpha becomes the union a + A - A * a / 255 rounded to nearest (A the old
// destination alpha), so an opaque destination stays opaque.
void DrawBitmap(Bitmap& dst, const Bitmap& src, int x, int y, DrawMode mode);

}  // namespace moravel
