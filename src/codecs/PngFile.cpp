#include "codecs/PngFile.h"

#include <string>
#include <string_view>
#include <vector>

#include "settings/FileIo.h"

namespace moravel {

Result<void> SavePngFile(const std::filesystem::path& path, const Bitmap& picture, PngSpeed speed) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!EncodePng(picture, speed, bytes, &error))
    return Error{picture.empty() ? ErrorKind::kEmpty : ErrorKind::kFailed, std::move(error)};
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteFileAtomically(path, text);
}

}  // namespace moravel
