#include "placement/KeyLatch.h"

namespace moravel {

void KeyLatch::Press(PlacementKey key) {
  down_[size_t(key)] = true;
  pressed_[size_t(key)] = true;
}

void KeyLatch::Release(PlacementKey key) {
  down_[size_t(key)] = false;
}

void KeyLatch::ReleaseAll() {
  down_.fill(false);
  pressed_.fill(false);
}

bool KeyLatch::Take(PlacementKey key) {
  const size_t k = size_t(key);
  const bool counts = down_[k] || pressed_[k];
  pressed_[k] = false;
  return counts;
}

}  // namespace moravel
