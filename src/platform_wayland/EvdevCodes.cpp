#include "platform_wayland/EvdevCodes.h"

#include <linux/input-event-codes.h>

namespace moravel {

std::optional<MouseButton> MouseButtonFromEvdev(uint32_t code) {
  switch (code) {
    case BTN_LEFT:
      return MouseButton::Left;
    case BTN_RIGHT:
      return MouseButton::Right;
    case BTN_MIDDLE:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

std::optional<PlacementKey> PlacementKeyFromEvdev(uint32_t code) {
  switch (code) {
    case KEY_ESC:
      return PlacementKey::Escape;
    case KEY_SPACE:
      return PlacementKey::Space;
    case KEY_LEFTCTRL:
    case KEY_RIGHTCTRL:
      return PlacementKey::Control;
    case KEY_LEFT:
      return PlacementKey::Left;
    case KEY_RIGHT:
      return PlacementKey::Right;
    case KEY_UP:
      return PlacementKey::Up;
    case KEY_DOWN:
      return PlacementKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace moravel
