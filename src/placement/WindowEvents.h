#pragma once
// What a desktop window forwards to the program, whatever toolkit or system
// it is made with. The user-interface thread only.

#include <filesystem>

#include "placement/KeyLatch.h"
#include "scene/PointerEvent.h"

namespace moravel {

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // Pointer input, in window pixels.
  virtual void Pointer(const PointerEvent& event) = 0;
  // The window's own keys that the placement of a new button reads; held
  // keys' repeats are left out.
  virtual void Key(PlacementKey key, bool pressed) = 0;
  virtual void FocusLost() = 0;
  // The first local file of a drop on the window.
  virtual void FileDropped(const std::filesystem::path& file) = 0;
  // Whether the window may close now.
  virtual bool MayClose() const = 0;
};

}  // namespace moravel
