#pragma once
// A Wayland pointer's events on one surface as the program's PointerEvents:
// positions in device pixels (surface coordinates times the buffer scale,
// rounded down), evdev buttons as MouseButtons (others left out), and the
// second press of a button soon after the first, close to it, as a
// DoubleClick (the one after that is a plain Press again). Events are
// collected until Frame (wl_pointer.frame groups what happened at once); a
// move is handed on before a button that follows it, and a frame's moves
// become one.

#include <cstdint>
#include <vector>

#include "scene/PointerEvent.h"

namespace moravel {

class PointerTranslator {
 public:
  // How soon (milliseconds, by the events' clock) and how near (device
  // pixels, either way, at scale 1; times the scale above it) a second press
  // makes a double click.
  static constexpr uint32_t kDoubleClickMs = 400;
  static constexpr int kDoubleClickSlop = 4;

  // The pointer came onto the surface at (x, y), a surface drawn at `scale`.
  void Enter(double x, double y, int scale);
  void Motion(double x, double y);
  // `time` in milliseconds; `code` the evdev button.
  void Button(uint32_t time, uint32_t code, bool pressed);
  void Leave();

  // The events since the last Frame, in order.
  std::vector<PointerEvent> Frame();

 private:
  void FlushMove();

  int scale_ = 1;
  int x_ = 0, y_ = 0;  // device pixels
  bool moved_ = false;
  std::vector<PointerEvent> pending_;
  // The last press that could start a double click.
  bool armed_ = false;
  MouseButton armedButton_ = MouseButton::Left;
  uint32_t armedTime_ = 0;
  int armedX_ = 0, armedY_ = 0;
};

}  // namespace moravel
