#pragma once
// What tells one state of a file from another without reading it: the
// volume, the file's number on it, its size and its modification time. Two
// equal identities are the same file, and most likely unchanged.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace moravel {

struct FileIdentity {
  uint64_t device = 0;   // the device (POSIX) or the volume's serial number (Windows)
  uint64_t file = 0;     // the inode, or the file index
  uint64_t size = 0;     // bytes
  int64_t modified = 0;  // the last write: nanoseconds (POSIX), 100 ns ticks (Windows)

  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file or folder at `path` (links followed); nothing
// when it cannot be examined.
std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path);

}  // namespace moravel
