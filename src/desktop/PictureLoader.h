#pragma once
// Loads the skin's pictures for one scene build: decodes each file once and
// prepares it for the transparent flag of the control that shows it, so that
// a file used by many controls costs one decode. At a scale above 1 each file
// is its "@2x" (or "@3x") sibling or is enlarged (LoadPictureAtScale).

#include <filesystem>
#include <map>
#include <string>

#include "desktop/SkinProblems.h"
#include "scene/Picture.h"

namespace moravel {

class PictureLoader {
 public:
  // `problems` (may be null; must outlive the loader) hears of every load
  // that gives no picture, once per key that asked for it.
  // Pictures are loaded for `scale` (LoadPictureAtScale).
  explicit PictureLoader(int scale = 1, SkinProblems* problems = nullptr)
      : scale_(scale), problems_(problems) {}

  // The picture in `file` (already resolved against the disk), prepared by
  // PictureForDrawing for `transparent`; null when it cannot be loaded.
  // `key` is the settings key that named the file, for the report.
  Picture Load(const std::filesystem::path& file, bool transparent, const SkinKey& key = {});

 private:
  int scale_;
  SkinProblems* problems_;
  std::map<std::filesystem::path, Picture> decoded_;  // null: the file failed
  std::map<std::filesystem::path, Picture> keyed_;    // prepared for transparent controls
  // Why a file failed, kept only with problems_.
  std::map<std::filesystem::path, std::string> errors_;
};

}  // namespace moravel
