#pragma once
// Splitting a bitmap into a colour plane and an alpha plane, joining them back,
// and drawing with planes (colour blended by a separate alpha plane, alpha
// planes merged by coverage union). All drawing clips at every edge.

#include <optional>

#include "raster/AlphaPlane.h"
#include "raster/Bitmap.h"
#include "raster/ColorPlane.h"

namespace moravel {

struct Planes {
  ColorPlane color;
  AlphaPlane alpha;
};

// The RGB bytes and the alpha bytes of `bitmap`, each of its size.
Planes SplitBitmap(const Bitmap& bitmap);

// An RGBA bitmap from a colour and an alpha plane; nothing when their sizes
// differ.
std::optional<Bitmap> JoinPlanes(const ColorPlane& color, const AlphaPlane& alpha);

// Lays `src` (colour) with coverage `srcAlpha` over dst at (x, y): each channel
// becomes (S * a + (255 - a) * P + 255) div 256, the same formula as
// DrawBitmap's Blend mode. Returns false (and draws nothing) when src and
// srcAlpha differ in size.
bool BlendPlanes(ColorPlane& dst, const ColorPlane& src, const AlphaPlane& srcAlpha, int x, int y);

// Merges `src` into dst at (x, y): each value becomes the union
// a + A - A * a / 255, rounded to nearest (a from src, A the old value).
void MergeAlpha(AlphaPlane& dst, const AlphaPlane& src, int x, int y);

}  // namespace moravel
