#pragma once
// One output (monitor) of the compositor as its wl_output describes it.

#include <cstdint>

struct wl_output;

namespace moravel {

struct WaylandOutput {
  uint32_t name = 0;  // the registry's name of the global: how it is added and removed
  wl_output* output = nullptr;
  int x = 0, y = 0;           // place in the compositor's space
  int width = 0, height = 0;  // the current mode, in device pixels
  int scale = 1;              // device pixels per surface pixel
  bool done = false;          // the first wl_output.done came: the above hold
};

}  // namespace moravel
