#include "settings/FileIo.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

#include "settings/Utf8Path.h"

namespace moravel {
namespace {

// The system's text for a Windows error code, in UTF-8, without the line end.
std::string ErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length ? std::wstring(text, length) : L"";
  if (text) ::LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
    wide.pop_back();
  if (wide.empty()) return "Windows error " + std::to_string(code);
  return Utf8Of(std::filesystem::path(wide));
}

std::string Describe(const char* what, const std::filesystem::path& path, DWORD code) {
  return std::string(what) + " " + Utf8Of(path) + ": " + ErrorText(code);
}

// The kind of a failure, for the callers that tell "no access" and "disk
// full" apart.
ErrorKind KindOf(DWORD code) {
  switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return ErrorKind::kAccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrorKind::kNoSpace;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
      return ErrorKind::kNotFound;
    default:
      return ErrorKind::kFailed;
  }
}

Error ErrorOf(const char* what, const std::filesystem::path& path, DWORD code) {
  return Error{KindOf(code), Describe(what, path, code), int(code)};
}

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Closes the handle when the scope ends unless released.
class HandleGuard {
 public:
  explicit HandleGuard(HANDLE handle) : handle_(handle) {}
  ~HandleGuard() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

// ReadFile for up to `count` bytes; false on an error. 0 bytes: the end.
bool ReadSome(HANDLE file, uint8_t* out, size_t count, size_t& got) {
  DWORD n = 0;
  const DWORD asked = DWORD(std::min<size_t>(count, 1u << 30));
  if (!::ReadFile(file, out, asked, &n, nullptr)) return false;
  got = n;
  return true;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD n = 0;
    const DWORD asked = DWORD(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(file, bytes.data(), asked, &n, nullptr)) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

}  // namespace

Result<FileBytes> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes,
                                LongFile longFile) {
  // Others may go on reading, writing and renaming the file meanwhile, as on
  // POSIX. A folder cannot be opened this way (access denied).
  HandleGuard file(::CreateFileW(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_ACCESS_DENIED && IsFolder(path))
      return Error{ErrorKind::kNotAFile, "not a regular file: " + Utf8Of(path)};
    return ErrorOf("cannot open", path, code);
  }
  // Pipes and devices are never read, so that a read cannot wait.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK)
    return Error{ErrorKind::kNotAFile, "not a regular file: " + Utf8Of(path)};
  LARGE_INTEGER length{};
  if (!::GetFileSizeEx(file.get(), &length)) return ErrorOf("cannot open", path, ::GetLastError());
  const uint64_t size = length.QuadPart > 0 ? uint64_t(length.QuadPart) : 0;
  if (longFile == LongFile::kFail && size > maxBytes)
    return Error{ErrorKind::kTooLarge, "file too large: " + Utf8Of(path)};

  // One byte past the bound tells a file that grew beyond it since the size
  // was taken.
  const size_t limit = longFile == LongFile::kCut || maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  FileBytes result;
  std::vector<uint8_t>& bytes = result.bytes;
  bytes.resize(size_t(std::min<uint64_t>(size, limit)));
  size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      if (bytes.size() >= limit) break;
      bytes.resize(std::min(limit, bytes.size() + 65536));  // the file grew
    }
    size_t got = 0;
    if (!ReadSome(file.get(), bytes.data() + done, bytes.size() - done, got))
      return ErrorOf("cannot read", path, ::GetLastError());
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  if (bytes.size() > maxBytes)
    return Error{ErrorKind::kTooLarge, "file too large: " + Utf8Of(path)};
  return result;
}

Result<void> WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  // A read-only file is one the user keeps as it is.
  const DWORD old = ::GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
    return ErrorOf("cannot replace", target, ERROR_ACCESS_DENIED);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // The name is cut so that the temporary name fits in a folder entry.
  std::wstring stem = L".";
  stem += target.filename().wstring().substr(0, 200);
  stem += L".tmp-";
  stem += std::to_wstring(::GetCurrentProcessId());

  std::filesystem::path temporary;
  HANDLE raw = INVALID_HANDLE_VALUE;
  DWORD code = 0;
  for (int attempt = 0; attempt < 100 && raw == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = folder / (stem + L"-" + std::to_wstring(counter++));
    raw = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    code = ::GetLastError();
    if (raw == INVALID_HANDLE_VALUE && code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)
      break;
  }
  if (raw == INVALID_HANDLE_VALUE) return ErrorOf("cannot create", temporary, code);
  HandleGuard file(raw);
  auto fail = [&](const char* what, DWORD code) -> Result<void> {
    ::CloseHandle(file.release());
    ::DeleteFileW(temporary.c_str());
    return ErrorOf(what, temporary, code);
  };
  if (!WriteAll(file.get(), bytes)) return fail("cannot write", ::GetLastError());
  if (!::FlushFileBuffers(file.get())) return fail("cannot flush", ::GetLastError());
  if (!::CloseHandle(file.release())) {
    code = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return ErrorOf("cannot close", temporary, code);
  }
  // The new file keeps what the user set on the old one (hidden, say).
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_ARCHIVE;
  if (old != INVALID_FILE_ATTRIBUTES && (old & kKept) != 0)
    ::SetFileAttributesW(temporary.c_str(), old & kKept);
  // Write-through: the call returns when the new name is on the disk.
  if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return ErrorOf("cannot replace", target, code);
  }
  return {};
}

}  // namespace moravel
