#pragma once
// A ByteSource over a regular file, read with pread at each position asked
// for; nothing is read ahead or kept.

#include <cstdint>
#include <filesystem>
#include <span>

#include "codecs/ByteSource.h"

namespace moravel {

class FileByteSource : public ByteSource {
 public:
  // Opens `path` for reading. ok() is false when it cannot be opened or is not
  // a regular file (a FIFO or device is never read, so it cannot block).
  explicit FileByteSource(const std::filesystem::path& path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  bool ok() const { return fd_ >= 0; }
  uint64_t size() const override { return size_; }  // as when opened
  bool Read(uint64_t offset, std::span<uint8_t> out) const override;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace moravel
