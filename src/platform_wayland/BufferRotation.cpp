#include "platform_wayland/BufferRotation.h"

namespace moravel {

BufferRotation::BufferRotation(int width, int height, int maxBuffers)
    : width_(width), height_(height), maxBuffers_(maxBuffers < 1 ? 1 : maxBuffers) {}

std::optional<int> BufferRotation::Choose(const std::vector<bool>& busy, std::vector<Rect>& copy) {
  copy.clear();
  const auto isBusy = [&](int i) { return size_t(i) < busy.size() && busy[size_t(i)]; };
  std::optional<int> chosen;
  if (latest_ >= 0 && !isBusy(latest_)) {
    chosen = latest_;
  } else {
    for (int i = 0; i < count() && !chosen; ++i)
      if (!isBusy(i)) chosen = i;
  }
  if (!chosen && count() < maxBuffers_) {
    chosen = count();
    // A new buffer is blank: all of it is stale once anything was committed.
    stale_.emplace_back();
    if (latest_ >= 0) stale_.back().push_back({0, 0, width_, height_});
  }
  if (!chosen) return std::nullopt;
  copy.swap(stale_[size_t(*chosen)]);
  stale_[size_t(*chosen)].clear();
  return chosen;
}

void BufferRotation::Committed(int index, const std::vector<Rect>& damage) {
  if (index < 0 || index >= count()) return;
  latest_ = index;
  const Rect whole{0, 0, width_, height_};
  for (int i = 0; i < count(); ++i) {
    if (i == index) continue;
    std::vector<Rect>& stale = stale_[size_t(i)];
    if (stale.size() == 1 && stale[0] == whole) continue;
    stale.insert(stale.end(), damage.begin(), damage.end());
    if (stale.size() > kMaxStale) stale.assign(1, whole);
  }
}

}  // namespace moravel
