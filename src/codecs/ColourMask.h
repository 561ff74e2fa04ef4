#pragma once
// One channel of a packed 16- or 32-bit pixel, given by its bit mask. The
// masked value is scaled to 8 bits exactly: v * 255 / max, rounded, so a
// 5-bit 31 and a 10-bit 1023 both become 255.

#include <bit>
#include <cstdint>

namespace moravel {

class ColourMask {
 public:
  ColourMask() = default;
  explicit ColourMask(uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}

  bool empty() const { return mask_ == 0; }
  uint32_t mask() const { return mask_; }

  // The channel of `pixel` on 0..255; 0 for an empty mask. A mask with holes
  // still works: the value read is at most max_.
  uint8_t Read(uint32_t pixel) const {
    if (mask_ == 0) return 0;
    uint64_t v = (pixel & mask_) >> shift_;
    return uint8_t((v * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_ = 0;
  int shift_ = 0;
  uint32_t max_ = 0;
};

}  // namespace moravel
