#include "raster/Stretch.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace moravel {

namespace {

// Scratch memory (weights, the row ring) one call may use.
constexpr size_t kMaxScratchBytes = size_t(1) << 30;

// 16-bit rows of uninitialised storage (they are always written before read).
struct Rows {
  std::unique_ptr<int16_t[]> data;
  size_t values = 0;  // per row
  int16_t* row(int i) { return data.get() + size_t(i) * values; }
};

Rows MakeRows(int count, size_t values) {
  return {std::unique_ptr<int16_t[]>(new int16_t[size_t(count) * values]), values};
}

// Filters source rows horizontally (or just widens them when the width stays),
// up to kHorizontalBatch rows per call.
class RowSource {
 public:
  RowSource(const Bitmap& src, const std::optional<AxisWeights>& h, const ResampleKernels& k)
      : src_(src), h_(h), k_(k) {
    if (!h_) return;
    horizontal_ = k.horizontalFor(h_->taps);
    if (src.width() < h_->taps) padded_.assign(size_t(kHorizontalBatch) * size_t(h_->taps) * 4, 0);
  }

  // Source rows y .. y + count - 1 (count 1 to kHorizontalBatch) into out[0..count).
  void Produce(int y, int count, int16_t* const* out) {
    if (!h_) {
      for (int i = 0; i < count; ++i) k_.widen(src_.row(y + i), out[i], size_t(src_.width()) * 4);
      return;
    }
    const uint8_t* in[kHorizontalBatch];
    for (int i = 0; i < count; ++i) {
      in[i] = src_.row(y + i);
      if (!padded_.empty()) {
        uint8_t* pad = padded_.data() + size_t(i) * size_t(h_->taps) * 4;
        std::memcpy(pad, in[i], size_t(src_.width()) * 4);
        in[i] = pad;
      }
    }
    horizontal_(in, out, count, *h_);
  }

 private:
  const Bitmap& src_;
  const std::optional<AxisWeights>& h_;
  const ResampleKernels& k_;
  HorizontalRows horizontal_ = nullptr;
  std::vector<uint8_t> padded_;  // short source rows padded with zeros
};

// Output rows y0 .. y1 - 1 of `out`, with weights `hw` and `vw` (none: that
// axis keeps its size). Uses scratch of its own, so two calls on disjoint
// row ranges may run at once. False when its scratch is over the limit.
bool ResampleRows(const Bitmap& src, Bitmap& out, const ResampleKernels& k,
                  const std::optional<AxisWeights>& hw, const std::optional<AxisWeights>& vw,
                  int y0, int y1) {
  const int srcH = src.height(), w = out.width();
  const size_t values = size_t(w) * 4;
  RowSource source(src, hw, k);

  if (!vw) {  // width only: a batch of filtered rows at a time
    Rows tmp = MakeRows(kHorizontalBatch, values);
    int16_t* batch[kHorizontalBatch];
    for (int i = 0; i < kHorizontalBatch; ++i) batch[i] = tmp.row(i);
    for (int y = y0; y < y1; y += kHorizontalBatch) {
      const int count = std::min(kHorizontalBatch, y1 - y);
      source.Produce(y, count, batch);
      for (int i = 0; i < count; ++i) k.narrow(batch[i], out.row(y + i), values);
    }
    return true;
  }

  // Horizontally filtered source rows live in a ring: source row r in slot
  // r % ring. The window of each output row starts no earlier than the one
  // before and spans at most `taps` rows; rows are filtered in batches that
  // end at most kHorizontalBatch - 1 rows past the window, so with
  // ring = taps + kHorizontalBatch - 1 no row still needed is overwritten.
  const int ring = std::min(vw->taps + kHorizontalBatch - 1, srcH);
  if (double(ring) * double(values) * 2.0 > double(kMaxScratchBytes)) return false;
  Rows rows = MakeRows(ring, values);
  std::vector<const int16_t*> taps(size_t(vw->taps));
  int done = -1;  // last source row filtered
  for (int y = y0; y < y1; ++y) {
    const int first = vw->first[size_t(y)];
    const int last = std::min(first + vw->taps, srcH) - 1;
    while (done < last) {
      const int start = std::max(done + 1, first);
      const int count = std::min(kHorizontalBatch, srcH - start);
      int16_t* batch[kHorizontalBatch];
      for (int i = 0; i < count; ++i) batch[i] = rows.row((start + i) % ring);
      source.Produce(start, count, batch);
      done = start + count - 1;
    }
    for (int t = 0; t < vw->taps; ++t) {
      taps[size_t(t)] = rows.row(std::min(first + t, srcH - 1) % ring);
    }
    k.vertical(taps.data(), vw->pairsOf(y), vw->taps, values, out.row(y));
  }
  return true;
}

// Writes every pixel of `out`. A large picture (a wallpaper for a 4K screen)
// is made in two halves at once where the machine has a second core: the
// program's first frame waits for it.
bool Resample(const Bitmap& src, Bitmap& out, const ResampleKernels& k) {
  const int srcW = src.width(), srcH = src.height(), w = out.width(), h = out.height();
  std::optional<AxisWeights> hw, vw;
  if (w != srcW && !(hw = BuildLanczosWeights(srcW, w, kMaxScratchBytes))) return false;
  if (h != srcH && !(vw = BuildLanczosWeights(srcH, h, kMaxScratchBytes))) return false;
  constexpr size_t kSplitPixels = size_t(1) << 21;  // about a 1920x1080 picture
  if (size_t(w) * size_t(h) < kSplitPixels || h < 2 || std::thread::hardware_concurrency() < 2)
    return ResampleRows(src, out, k, hw, vw, 0, h);
  std::atomic<bool> lowerDone{false};
  std::thread lower;
  try {
    lower = std::thread([&] {
      try {
        lowerDone = ResampleRows(src, out, k, hw, vw, h / 2, h);
      } catch (const std::bad_alloc&) {
        // lowerDone stays false
      }
    });
  } catch (const std::system_error&) {
    return ResampleRows(src, out, k, hw, vw, 0, h);  // no thread to be had
  }
  bool upperDone = false;
  try {
    upperDone = ResampleRows(src, out, k, hw, vw, 0, h / 2);
  } catch (const std::bad_alloc&) {
    // upperDone stays false
  }
  lower.join();
  return upperDone && lowerDone;
}

}  // namespace

bool StretchBitmapToSize(Bitmap& bitmap, int width, int height) {
  return StretchBitmapToSize(bitmap, width, height, BestResampleKernels());
}

bool StretchBitmapToSize(Bitmap& bitmap, int width, int height, const ResampleKernels& kernels) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width > kMaxStretchSide || height > kMaxStretchSide ||
      size_t(width) * size_t(height) > kMaxStretchPixels) {
    return false;
  }
  if (width == bitmap.width() && height == bitmap.height()) return true;
  try {
    // Resample writes every pixel; only an empty source leaves them as made.
    std::optional<Bitmap> out =
        bitmap.empty() ? Bitmap::Create(width, height) : Bitmap::CreateForOverwrite(width, height);
    if (!out) return false;
    if (!bitmap.empty() && !Resample(bitmap, *out, kernels)) return false;
    bitmap = std::move(*out);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace moravel
