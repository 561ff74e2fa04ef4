#pragma once
// The keys the placement reads, as the desktop window sees them: its own key
// presses and releases while it has the focus. A key counts once it is down
// now or was pressed since it was last taken, so a quick press and release
// between two ticks is not lost, and a held key counts at every tick.

#include <array>
#include <cstddef>

namespace moravel {

enum class PlacementKey { Escape, Space, Control, Left, Right, Up, Down };

class KeyLatch {
 public:
  void Press(PlacementKey key);
  void Release(PlacementKey key);
  // The window lost the focus, so no releases will come: every key is up and
  // presses not yet taken are forgotten.
  void ReleaseAll();
  // True when `key` is down now or was pressed since the last Take of it.
  bool Take(PlacementKey key);

 private:
  static constexpr size_t kKeys = 7;
  std::array<bool, kKeys> down_{};
  std::array<bool, kKeys> pressed_{};  // pressed since the last Take
};

}  // namespace moravel
