#pragma once
// An 8-bit coverage picture: one byte per pixel (0 transparent, 255 opaque),
// rows top to bottom, no padding; pixel (x, y) is byte y * width + x.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace moravel {

class AlphaPlane {
 public:
  AlphaPlane() = default;

  // A width x height plane filled with `fill`. Returns nothing for negative
  // sizes or a byte count that overflows size_t.
  static std::optional<AlphaPlane> Create(int width, int height, uint8_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  uint8_t* row(int y) { return bytes_.data() + size_t(y) * size_t(width_); }
  const uint8_t* row(int y) const { return bytes_.data() + size_t(y) * size_t(width_); }
  size_t byteCount() const { return bytes_.size(); }

  friend bool operator==(const AlphaPlane&, const AlphaPlane&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace moravel
