#include "settings/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace moravel {
namespace {

// "<what> <path>: <the system's text>", its kind from `err`.
Error Describe(const char* what, const std::filesystem::path& path, int err) {
  return Error::FromErrno(err, std::string(what) + " " + path.string());
}

// Closes the descriptor when the scope ends unless released.
class FdGuard {
 public:
  explicit FdGuard(int fd) : fd_(fd) {}
  ~FdGuard() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdGuard(const FdGuard&) = delete;
  FdGuard& operator=(const FdGuard&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// read(2) retried on EINTR.
ssize_t ReadSome(int fd, void* out, size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd, out, count);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

Result<FileBytes> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes,
                                LongFile longFile) {
  auto tooLarge = [&] { return Error{ErrorKind::kTooLarge, "file too large: " + path.string()}; };
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
  FdGuard fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return Describe("cannot open", path, errno);  // ENOENT, ENOTDIR: kNotFound
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Describe("cannot open", path, errno);
  if (!S_ISREG(st.st_mode))
    return Error{ErrorKind::kNotAFile, "not a regular file: " + path.string()};
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);  // plain reads from here on
  const uint64_t size = st.st_size > 0 ? uint64_t(st.st_size) : 0;
  if (longFile == LongFile::kFail && size > maxBytes) return tooLarge();

  // One byte past the bound tells a file that grew beyond it since fstat.
  const size_t limit = longFile == LongFile::kCut || maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  const size_t expected = size_t(std::min<uint64_t>(size, limit));
  FileBytes result;
  std::vector<uint8_t>& bytes = result.bytes;
  bytes.resize(expected);
  size_t done = 0;
  while (done < expected) {
    const ssize_t n = ReadSome(fd.get(), bytes.data() + done, expected - done);
    if (n < 0) return Describe("cannot read", path, errno);
    if (n == 0) break;  // the file shrank
    done += size_t(n);
  }
  bytes.resize(done);
  if (done == expected) {
    // More may follow: the file grew, or its size says nothing (/proc).
    uint8_t piece[65536];
    while (bytes.size() < limit) {
      const ssize_t n = ReadSome(fd.get(), piece, std::min(sizeof piece, limit - bytes.size()));
      if (n < 0) return Describe("cannot read", path, errno);
      if (n == 0) break;
      bytes.insert(bytes.end(), piece, piece + n);
    }
  }
  if (bytes.size() > maxBytes) return tooLarge();
  return result;
}

Result<void> WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // The name is cut so that the temporary name fits in a folder entry.
  std::string stem = ".";
  stem += target.filename().string().substr(0, 200);
  stem += ".tmp-";
  stem += std::to_string(::getpid());

  std::filesystem::path temporary;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temporary = folder / (stem + "-" + std::to_string(counter++));
    raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) break;
  }
  if (raw < 0) return Describe("cannot create", temporary, errno);
  FdGuard fd(raw);
  auto fail = [&](const char* what, int err) {
    ::close(fd.release());
    ::unlink(temporary.c_str());
    return Describe(what, temporary, err);
  };

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd.get(), old.st_mode & 07777);  // best effort: keep the old permissions
  }
  if (!WriteAll(fd.get(), bytes)) return fail("cannot write", errno);
  if (::fsync(fd.get()) != 0) return fail("cannot flush", errno);
  if (::close(fd.release()) != 0) {
    const int err = errno;
    ::unlink(temporary.c_str());
    return Describe("cannot close", temporary, err);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temporary.c_str());
    return Describe("cannot replace", target, err);
  }
  // The new file is in place; flushing the folder makes the rename durable.
  // Some file systems refuse fsync on folders; the replacement stands anyway.
  FdGuard dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return {};
}

}  // namespace moravel
