#pragma once
// Saving a picture as a PNG file so that a crash or a full disk never leaves
// a half-written file under the name: the bytes go to a temporary file in the
// same folder, which is flushed and renamed over the target.

#include <filesystem>

#include "base/Result.h"
#include "codecs/PngCodec.h"
#include "raster/Bitmap.h"

namespace moravel {

// A failed save says why by its kind: kAccessDenied when the folder (or the
// file) may not be written (permissions, a read-only disk), kNoSpace for a
// full disk, kNotFound for a missing folder, kEmpty for an empty picture,
// kFailed for anything else.
Result<void> SavePngFile(const std::filesystem::path& path, const Bitmap& picture, PngSpeed speed);

}  // namespace moravel
