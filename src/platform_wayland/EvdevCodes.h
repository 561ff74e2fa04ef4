#pragma once
// The evdev codes a Wayland seat sends (wl_pointer.button, wl_keyboard.key
// without a keymap) as the program's buttons and placement keys.

#include <cstdint>
#include <optional>

#include "placement/KeyLatch.h"
#include "scene/PointerEvent.h"

namespace moravel {

// BTN_LEFT, BTN_RIGHT, BTN_MIDDLE; nothing for the other buttons.
std::optional<MouseButton> MouseButtonFromEvdev(uint32_t code);

// Esc, Space, either Ctrl and the four arrows, by their place on the
// keyboard (the raw key, whatever the layout); nothing for other keys.
std::optional<PlacementKey> PlacementKeyFromEvdev(uint32_t code);

}  // namespace moravel
