#pragma once
// Stretching a bitmap to a new size with a Lanczos-3 filter (windowed sinc
// sinc(x) * sinc(x / 3)). x and y are scaled independently (the aspect ratio
// is not kept, nothing is cropped). Every channel, alpha included, is filtered
// on its own like a colour: straight alpha is not premultiplied first, so the
// colour of transparent pixels can show at soft edges; callers that care
// (icon planes) resample colour and alpha as separate planes anyway.

#include "raster/Bitmap.h"
#include "raster/ResampleKernels.h"

namespace moravel {

// Largest target side and pixel count StretchBitmapToSize accepts.
inline constexpr int kMaxStretchSide = 1 << 15;
inline constexpr size_t kMaxStretchPixels = size_t(1) << 28;

// Replaces `bitmap` by its content stretched to exactly width x height
// (values below 1 count as 1). An empty bitmap becomes width x height
// transparent black. Returns false, leaving the bitmap unchanged, for sizes
// above the limits or when memory runs out.
bool StretchBitmapToSize(Bitmap& bitmap, int width, int height);

// The same with a chosen kernel set (tests compare the sets).
bool StretchBitmapToSize(Bitmap& bitmap, int width, int height, const ResampleKernels& kernels);

}  // namespace moravel
