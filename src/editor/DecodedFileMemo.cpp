#include "editor/DecodedFileMemo.h"

#include "settings/Utf8Path.h"

namespace moravel {

std::optional<DecodedFileMemo::Identity> DecodedFileMemo::Examine(const std::string& path) {
  return IdentifyFile(PathFromUtf8(path));
}

std::optional<Bitmap> DecodedFileMemo::Find(const std::string& path, const Identity& now) const {
  if (picture_.empty() || path != path_ || now != identity_) return std::nullopt;
  return picture_;
}

void DecodedFileMemo::Keep(const std::string& path, const Identity& then, const Bitmap& picture) {
  path_ = path;
  identity_ = then;
  picture_ = picture;
}

}  // namespace moravel
