#pragma once
// Remembers the last picture decoded from a file, so that a preview refresh
// with the same icon file (a new caption, another template) does not decode
// it again. A file counts as unchanged while its device, inode, size and
// modification time are; anything else decodes anew. Not thread-safe.

#include <sys/stat.h>

#include <optional>
#include <string>

#include "raster/Bitmap.h"

namespace moravel {

class DecodedFileMemo {
 public:
  // The file's identity now; nothing when it cannot be examined.
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
  };
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
