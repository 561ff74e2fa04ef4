#pragma once
// Which of a surface's buffers the next batch of pieces is drawn into, and
// what must be copied into it first. A buffer the compositor holds (busy) is
// never chosen. The last committed buffer holds the whole frame; any other
// misses what was drawn since it was last committed (its stale parts), which
// is copied from the last committed one before the batch is drawn, so every
// committed buffer holds the whole frame while only the batch's pieces are
// drawn and damaged.

#include <optional>
#include <vector>

#include "raster/Rect.h"

namespace moravel {

class BufferRotation {
 public:
  // Buffers of width x height pixels, at most `maxBuffers` of them.
  BufferRotation(int width, int height, int maxBuffers);

  // The buffer for the next batch, given which of the buffers made so far
  // are busy (one entry each, in the order made): the last committed one
  // when it is free, else another free one, else count() when a new one is
  // to be made (which the caller then makes), else nothing (all are busy and
  // no more may be made). `copy` is set to the parts to copy from latest()
  // before drawing; the buffer is up to date once they are copied.
  std::optional<int> Choose(const std::vector<bool>& busy, std::vector<Rect>& copy);
  // The new buffer Choose asked for could not be made.
  void Unmade() {
    if (!stale_.empty()) stale_.pop_back();
  }
  // Buffer `index` was committed with `damage` drawn into it.
  void Committed(int index, const std::vector<Rect>& damage);

  int latest() const { return latest_; }  // -1 before the first commit
  int count() const { return int(stale_.size()); }

 private:
  // Past this many rectangles a buffer's stale parts become the whole
  // frame: one copy is cheaper than many small ones, and the list stays short.
  static constexpr size_t kMaxStale = 64;

  int width_, height_, maxBuffers_;
  int latest_ = -1;
  std::vector<std::vector<Rect>> stale_;  // per buffer
};

}  // namespace moravel
