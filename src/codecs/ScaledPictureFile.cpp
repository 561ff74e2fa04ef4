#include "codecs/ScaledPictureFile.h"

#include <string>
#include <system_error>
#include <utility>

#include "codecs/PictureFile.h"
#include "raster/WholeScale.h"
#include "settings/CaseInsensitivePath.h"

namespace moravel {

std::filesystem::path ScaledSiblingName(const std::filesystem::path& file, int scale) {
  std::filesystem::path name = file.stem();
  name += "@" + std::to_string(scale) + "x";
  name += file.extension();
  return file.parent_path() / name;
}

Result<Bitmap> LoadPictureAtScale(const std::filesystem::path& file, int scale) {
  if (scale < 2 || file.empty()) return LoadPictureFile(file);
  const std::filesystem::path sibling = FindFileIgnoringCase(ScaledSiblingName(file, scale));
  std::error_code ec;
  if (std::filesystem::is_regular_file(sibling, ec)) {
    if (Result<Bitmap> own = LoadPictureFile(sibling); own.ok()) return own;
  }
  Result<Bitmap> base = LoadPictureFile(file);
  if (!base.ok()) return base;
  std::optional<Bitmap> enlarged = EnlargeByWholePixels(*base, scale);
  if (!enlarged) return Error{ErrorKind::kFailed, "not enough memory to enlarge the picture"};
  return std::move(*enlarged);
}

}  // namespace moravel
