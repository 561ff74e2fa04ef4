#include "editor/DecodedFileMemo.h"

namespace moravel {

std::optional<DecodedFileMemo::Identity> DecodedFileMemo::Examine(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return Identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

std::optional<Bitmap> DecodedFileMemo::Find(const std::string& path, const Identity& now) const {
  const Identity& was = identity_;
  if (picture_.empty() || path != path_ || now.device != was.device || now.inode != was.inode ||
      now.size != was.size || now.modified.tv_sec != was.modified.tv_sec ||
      now.modified.tv_nsec != was.modified.tv_nsec)
    return std::nullopt;
  return picture_;
}

void DecodedFileMemo::Keep(const std::string& path, const Identity& then, const Bitmap& picture) {
  path_ = path;
  identity_ = then;
  picture_ = picture;
}

}  // namespace moravel
