#pragma once
// A ByteSource over bytes already in memory (tests, fuzzing).

#include <algorithm>
#include <cstdint>
#include <span>

#include "codecs/ByteSource.h"

namespace moravel {

class SpanByteSource : public ByteSource {
 public:
  // Borrows `bytes`: they must outlive the source.
  explicit SpanByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint64_t size() const override { return bytes_.size(); }
  bool Read(uint64_t offset, std::span<uint8_t> out) const override {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) return false;
    std::copy_n(bytes_.begin() + std::ptrdiff_t(offset), out.size(), out.begin());
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace moravel
