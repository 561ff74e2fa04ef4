#pragma once
// The icons the desktop itself shows for files: what a file manager draws for
// a file, folder or missing path, and icons of the icon theme by name. The
// program implements it with Qt (type database and icon theme); tests use a
// fake. Results are RGBA size x size pictures, empty when there is none.

#include <string>

#include "raster/Bitmap.h"

namespace moravel {

class AssociatedIcons {
 public:
  virtual ~AssociatedIcons() = default;

  // The file manager's icon for `path` (any file, a folder, or a path that
  // does not exist).
  virtual Bitmap IconForPath(const std::string& path, int size) const = 0;

  // A theme icon by name ("firefox"; a trailing .png, .svg or .xpm is
  // ignored), or the picture file at an absolute path (svg and xpm included).
  virtual Bitmap IconByName(const std::string& nameOrPath, int size) const = 0;
};

}  // namespace moravel
