#include "codecs/PngFile.h"

#include <string_view>
#include <vector>

#include "settings/FileIo.h"

namespace moravel {

Result<void> SavePngFile(const std::filesystem::path& path, const Bitmap& picture, PngSpeed speed) {
  Result<std::vector<uint8_t>> bytes = EncodePng(picture, speed);
  if (!bytes) return bytes.error();
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return WriteFileAtomically(path, text);
}

}  // namespace moravel
