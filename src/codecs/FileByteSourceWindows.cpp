#include "codecs/FileByteSource.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace moravel {

// The file's handle is kept as a C run-time descriptor (_open_osfhandle), so
// that both systems share the class's one member.
FileByteSource::FileByteSource(const std::filesystem::path& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER length{};
  // Pipes and devices are never read, so that a read cannot wait.
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &length) ||
      length.QuadPart < 0) {
    ::CloseHandle(file);
    return;
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(file);
    return;
  }
  fd_ = fd;
  size_ = uint64_t(length.QuadPart);
}

FileByteSource::~FileByteSource() {
  if (fd_ >= 0) ::_close(fd_);  // closes the handle too
}

bool FileByteSource::Read(uint64_t offset, std::span<uint8_t> out) const {
  if (fd_ < 0 || offset > size_ || out.size() > size_ - offset) return false;
  HANDLE file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
  size_t done = 0;
  while (done < out.size()) {
    // Each read names its offset, as pread does.
    const uint64_t at = offset + done;
    OVERLAPPED where{};
    where.Offset = DWORD(at);
    where.OffsetHigh = DWORD(at >> 32);
    DWORD n = 0;
    const DWORD asked = DWORD(std::min<size_t>(out.size() - done, 1u << 30));
    if (!::ReadFile(file, out.data() + done, asked, &n, &where) || n == 0)
      return false;  // an error, or the file shrank
    done += n;
  }
  return true;
}

}  // namespace moravel
