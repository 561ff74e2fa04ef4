#include "codecs/PngFile.h"

#include <cerrno>
#include <string_view>
#include <vector>

#include "settings/FileIo.h"

namespace moravel {

PngSaveResult SavePngFile(const std::filesystem::path& path, const Bitmap& picture, PngSpeed speed,
                          std::string* error, int* errorNumber) {
  int err = 0;
  if (!errorNumber) errorNumber = &err;
  *errorNumber = 0;
  std::vector<uint8_t> bytes;
  if (!EncodePng(picture, speed, bytes, error)) return PngSaveResult::kFailed;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const Result<void> written = WriteFileAtomically(path, text);
  if (written) return PngSaveResult::kSaved;
  if (error) *error = written.error().message;
  *errorNumber = written.error().systemCode;
  const bool denied = *errorNumber == EACCES || *errorNumber == EPERM || *errorNumber == EROFS;
  return denied ? PngSaveResult::kNoWriteAccess : PngSaveResult::kFailed;
}

}  // namespace moravel
