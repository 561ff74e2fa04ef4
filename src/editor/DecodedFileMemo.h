#pragma once
// Remembers the last picture decoded from a file, so that a preview refresh
// with the same icon file (a new caption, another template) does not decode
// it again. A file counts as unchanged while its identity (device, file
// number, size and modification time) is; anything else decodes anew. Not
// thread-safe.

#include <optional>
#include <string>

#include "raster/Bitmap.h"
#include "settings/FileIdentity.h"

namespace moravel {

class DecodedFileMemo {
 public:
  // The file's identity now (`path` in UTF-8); nothing when it cannot be
  // examined.
  using Identity = FileIdentity;
  static std::optional<Identity> Examine(const std::string& path);

  // The picture kept for `path` when the file is still `now`.
  std::optional<Bitmap> Find(const std::string& path, const Identity& now) const;
  // Keeps `picture`, decoded from `path` as it was at `then`, until the next
  // Keep: a copy that may stay for the program's life, so callers give only
  // small ones (the icon loader's are icon-sized).
  void Keep(const std::string& path, const Identity& then, const Bitmap& picture);

 private:
  std::string path_;
  Identity identity_;
  Bitmap picture_;
};

}  // namespace moravel
