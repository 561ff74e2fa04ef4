#pragma once
// Loads the skin's pictures for one scene build: decodes each file once and
// prepares it for the transparent flag of the control that shows it, so that
// a file used by many controls costs one decode.

#include <filesystem>
#include <map>

#include "desktop/Picture.h"

namespace moravel {

class PictureLoader {
 public:
  // The picture in `file` (already resolved against the disk), prepared by
  // PictureForDrawing for `transparent`; null when it cannot be loaded.
  Picture Load(const std::filesystem::path& file, bool transparent);

 private:
  std::map<std::filesystem::path, Picture> decoded_;  // null: the file failed
  std::map<std::filesystem::path, Picture> keyed_;    // prepared for transparent controls
};

}  // namespace moravel
