#pragma once
// One wl_buffer of width x height ARGB8888 pixels in memory shared with the
// compositor (an anonymous memfd). Busy from the commit that shows it until
// the compositor releases it: meanwhile the compositor may read it at any
// time, so it is not written.
//
// Lifetime: the wl_shm it was made with, and its connection, outlive it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "base/Result.h"
#include "raster/Rect.h"

struct wl_buffer;
struct wl_shm;

namespace moravel {

class ShmBuffer {
 public:
  static Result<std::unique_ptr<ShmBuffer>> Create(wl_shm* shm, int width, int height);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  wl_buffer* buffer() const { return buffer_; }
  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t* row(int y) { return pixels_ + size_t(y) * size_t(width_) * 4; }

  bool busy() const { return busy_; }
  // Called when the buffer is committed; the compositor's release clears it
  // and tells `released` (if set).
  void MarkBusy() { busy_ = true; }
  void SetReleased(std::function<void()> released) { released_ = std::move(released); }

  // Copies `area` (inside both) from `from`.
  void CopyFrom(ShmBuffer& from, Rect area);

 private:
  ShmBuffer() = default;
  static void Released(void* data, wl_buffer* buffer);

  wl_buffer* buffer_ = nullptr;
  uint8_t* pixels_ = nullptr;
  size_t bytes_ = 0;
  int width_ = 0, height_ = 0;
  bool busy_ = false;
  std::function<void()> released_;
};

}  // namespace moravel
