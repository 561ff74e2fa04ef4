#pragma once
// A skin picture for a screen drawn at a whole-number scale (1, 2, 3): where
// "name@2x.png" (or "@3x" for scale 3) lies beside "name.png", that picture
// is taken at its own pixels; otherwise "name.png" is enlarged by whole
// pixels (EnlargeByWholePixels). The sibling is looked up ignoring letter
// case, like every skin file.

#include <filesystem>

#include "base/Result.h"
#include "raster/Bitmap.h"

namespace moravel {

// "dir/name@<scale>x.ext" beside "dir/name.ext" (not looked up on the disk).
std::filesystem::path ScaledSiblingName(const std::filesystem::path& file, int scale);

// The picture in `file` at `scale` (values below 2 load `file` as it is). A
// sibling that exists but cannot be decoded is passed over for the
// enlargement of `file`; the error is then `file`'s own. kFailed when the
// enlargement has no memory.
Result<Bitmap> LoadPictureAtScale(const std::filesystem::path& file, int scale);

}  // namespace moravel
