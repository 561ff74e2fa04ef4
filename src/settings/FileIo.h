#pragma once
// Bounded whole-file reads of regular files (every file the program reads
// whole goes through ReadWholeFile) and crash-safe whole-file replacement for
// settings files. One implementation per system (FileIoPosix.cpp,
// FileIoWindows.cpp); no buffering beyond the call.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"

namespace moravel {

// The bytes of a file read whole.
struct FileBytes {
  std::vector<uint8_t> bytes;

  std::string_view text() const {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
};

// What a read does with a file longer than its bound.
enum class LongFile {
  kFail,  // nothing is read: kTooLarge, "file too large"
  kCut,   // the first maxBytes bytes are read
};

// Reads a regular file whole, or at most `maxBytes` of it (`longFile`). A
// path that does not exist, or whose folder does not exist or is a file, is
// kNotFound; anything else that is no regular file (a folder, a FIFO, a
// device, a socket) is kNotAFile, a file over the bound kTooLarge, and no
// permission or an I/O error has the kind of its errno. Never waits: the file
// is opened with O_NONBLOCK and checked on the open descriptor, so a FIFO
// without a writer is refused at once, never read.
Result<FileBytes> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes,
                                LongFile longFile = LongFile::kFail);

// Replaces `target` with `bytes` so that after a crash at any moment the file
// is either the old one or the new one, complete: the bytes go to a new hidden
// file in the same folder, which is flushed to the disk (fsync) and renamed
// over the target, and then the folder is flushed. The new file takes the
// permission bits of the old one (new files: 0666 minus the umask); on
// Windows its hidden, system, archive and not-indexed attributes, and a
// read-only target is refused (kAccessDenied).
// On failure removes the temporary file, leaves the target as it was and
// returns the error, its kind from the errno (a read-only folder
// kAccessDenied, a full disk kNoSpace, ...). A process killed during the call can
// leave its temporary file (".<name>.tmp-<pid>-<n>", the name cut to 200
// bytes) behind, never a damaged target. A symbolic link at `target` is
// replaced by a plain file.
Result<void> WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace moravel
