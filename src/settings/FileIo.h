#pragma once
// Whole-file reads and crash-safe whole-file replacement for settings files.
// POSIX calls only; no buffering beyond the call.

#include <filesystem>
#include <string>
#include <string_view>

namespace moravel {

struct FileReadResult {
  enum class Status { kOk, kMissing, kFailed };
  Status status = Status::kMissing;
  std::string bytes;  // kOk: the whole file
  std::string error;  // kFailed: why, short and human-readable
};

// Reads the whole file. A path that does not exist, or whose folder does not
// exist or is a file, is kMissing; any other failure (a folder at the path,
// no permission, an I/O error) is kFailed.
FileReadResult ReadWholeFile(const std::filesystem::path& path);

// Replaces `target` with `bytes` so that after a crash at any moment the file
// is either the old one or the new one, complete: the bytes go to a new hidden
// file in the same folder, which is flushed to the disk (fsync) and renamed
// over the target, and then the folder is flushed. The new file takes the
// permission bits of the old one (new files: 0666 minus the umask).
// On failure returns false, fills `error` (when given), removes the temporary
// file and leaves the target as it was. A process killed during the call can
// leave its temporary file (".<name>.tmp-<pid>-<n>", the name cut to 200
// bytes) behind, never a damaged target. A symbolic link at `target` is
// replaced by a plain file. `errorNumber`, when given, takes the errno of a
// failure (EACCES, EROFS, ENOSPC, ...).
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr, int* errorNumber = nullptr);

}  // namespace moravel
