#pragma once
// A 24-bit colour picture: RGB bytes, rows top to bottom, no padding; pixel
// (x, y) starts at byte 3 * (y * width + x). Used where colour and alpha are
// worked on apart (button faces); see Planes.h to split and join bitmaps.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace moravel {

class ColorPlane {
 public:
  ColorPlane() = default;

  // A width x height plane of black. Returns nothing for negative sizes or a
  // byte count that overflows size_t.
  static std::optional<ColorPlane> Create(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  uint8_t* row(int y) { return bytes_.data() + size_t(y) * size_t(width_) * 3; }
  const uint8_t* row(int y) const { return bytes_.data() + size_t(y) * size_t(width_) * 3; }
  size_t byteCount() const { return bytes_.size(); }

  friend bool operator==(const ColorPlane&, const ColorPlane&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace moravel
