#include "settings/FileIdentity.h"

#include <sys/stat.h>

namespace moravel {

std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{
      .device = uint64_t(st.st_dev),
      .file = uint64_t(st.st_ino),
      .size = uint64_t(st.st_size),
      .modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
  };
}

}  // namespace moravel
