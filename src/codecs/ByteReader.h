#pragma once
// Little-endian reads at fixed offsets of a byte span that never read outside
// it: an out-of-range read returns 0 and marks the reader failed, so a parser
// can read a whole header and check ok() once. Below it, the one big-endian
// read PNG's numbers need.

#include <cstddef>
#include <cstdint>
#include <span>

namespace moravel {

class ByteReader {
 public:
  // The reader borrows `bytes`; they must outlive it.
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  bool ok() const { return ok_; }

  // True when `count` bytes starting at `offset` lie inside the span.
  bool Has(size_t offset, size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  uint8_t U8(size_t offset) { return Has(offset, 1) ? bytes_[offset] : Fail(); }
  uint16_t U16(size_t offset) {
    if (!Has(offset, 2)) return Fail();
    return uint16_t(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  uint32_t U32(size_t offset) {
    if (!Has(offset, 4)) return Fail();
    return uint32_t(bytes_[offset]) | uint32_t(bytes_[offset + 1]) << 8 |
           uint32_t(bytes_[offset + 2]) << 16 | uint32_t(bytes_[offset + 3]) << 24;
  }
  int32_t I32(size_t offset) { return int32_t(U32(offset)); }

 private:
  uint8_t Fail() {
    ok_ = false;
    return 0;
  }

  std::span<const uint8_t> bytes_;
  bool ok_ = true;
};

// The big-endian 32-bit number at `p` (PNG's order); the caller has checked
// that four bytes are there.
inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace moravel
