#pragma once
// Saving a picture as a PNG file so that a crash or a full disk never leaves
// a half-written file under the name: the bytes go to a temporary file in the
// same folder, which is flushed and renamed over the target.

#include <filesystem>
#include <string>

#include "codecs/PngCodec.h"
#include "raster/Bitmap.h"

namespace moravel {

enum class PngSaveResult {
  kSaved,
  kNoWriteAccess,  // the folder (or the file) may not be written: permissions, read-only
  kFailed,         // anything else: an empty picture, a full disk, a missing folder
};

// `error` and `errorNumber` (the errno of a failed write), when given, say
// why a save failed.
PngSaveResult SavePngFile(const std::filesystem::path& path, const Bitmap& picture, PngSpeed speed,
                          std::string* error = nullptr, int* errorNumber = nullptr);

}  // namespace moravel
