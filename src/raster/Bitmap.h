#pragma once
// A 32-bit picture with straight (not premultiplied) alpha.
// Pixels are RGBA bytes, rows top to bottom, no padding: pixel (x, y) starts
// at byte 4 * (y * width + x). A default-constructed Bitmap is empty (0 x 0).

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace moravel {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Leaves new bytes as they are (the vector's resize would zero them first);
// Bitmap::Create writes every byte itself.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };
  using std::allocator<T>::allocator;
  template <typename U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

class Bitmap {
 public:
  Bitmap() = default;

  // A width x height bitmap filled with `fill`. Sizes below 0 are an error;
  // returns nothing when the byte count would overflow size_t or the sizes are
  // negative. Zero-sized bitmaps are allowed (they are empty).
  static std::optional<Bitmap> Create(int width, int height, Rgba fill = {});
  // The same with pixels left as they are, for a caller that writes every
  // one before any is read (untouched memory costs nothing until written).
  static std::optional<Bitmap> CreateForOverwrite(int width, int height);
  // Gives the bitmap a new size with its pixels unset, reusing its memory
  // when the new size fits in it (a buffer reused for pieces of any shape).
  // False, and nothing changed, for sizes below 0 or too large for size_t.
  bool ReshapeForOverwrite(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* data() { return pixels_.data(); }
  const uint8_t* data() const { return pixels_.data(); }
  uint8_t* row(int y) { return pixels_.data() + size_t(y) * size_t(width_) * 4; }
  const uint8_t* row(int y) const { return pixels_.data() + size_t(y) * size_t(width_) * 4; }
  size_t byteCount() const { return pixels_.size(); }

  // Bounds are the caller's duty (checked only by assert).
  Rgba at(int x, int y) const;
  void set(int x, int y, Rgba c);

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // True when every pixel has alpha 255 (an empty bitmap is opaque).
  bool opaque() const;

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t, DefaultInitAllocator<uint8_t>> pixels_;
};

}  // namespace moravel
