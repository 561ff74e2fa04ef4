#pragma once
// A pointer event on the desktop window, in screen pixels.
// The window delivers them in the platform's order: a press, or for the second
// press of a double click a DoubleClick instead of a Press; then the Release.

namespace moravel {

enum class MouseButton { Left, Right, Middle };

struct PointerEvent {
  // Leave: the pointer has left the window (no position); what it hovered
  // is hovered no more, as if it had moved onto the wallpaper.
  enum class Kind { Move, Press, DoubleClick, Release, Leave };
  Kind kind = Kind::Move;
  int x = 0, y = 0;
  MouseButton button = MouseButton::Left;  // unused for Move
};

}  // namespace moravel
