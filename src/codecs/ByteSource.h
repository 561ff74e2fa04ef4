#pragma once
// Random access to the bytes of a file, or of a buffer in tests and fuzzing,
// for parsers that read a few ranges at known positions rather than the whole.

#include <cstdint>
#include <span>

namespace moravel {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Bytes in the source, fixed for the source's lifetime.
  virtual uint64_t size() const = 0;
  // Reads out.size() bytes at `offset`; false when any of them lies past the
  // end or the read fails (out's content is then unspecified).
  virtual bool Read(uint64_t offset, std::span<uint8_t> out) const = 0;
};

}  // namespace moravel
