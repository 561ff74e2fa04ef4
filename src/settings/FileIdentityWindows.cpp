#include "settings/FileIdentity.h"

#include <windows.h>

namespace moravel {

std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path) {
  // No access to the contents is asked for, only to the attributes; backup
  // semantics let a folder be opened too.
  HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  if (!ok) return std::nullopt;
  auto join = [](DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; };
  return FileIdentity{
      .device = info.dwVolumeSerialNumber,
      .file = join(info.nFileIndexHigh, info.nFileIndexLow),
      .size = join(info.nFileSizeHigh, info.nFileSizeLow),
      .modified =
          int64_t(join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)),
  };
}

}  // namespace moravel
