// moravel_wlpointer: a virtual pointer (zwlr_virtual_pointer_manager_v1) on
// the compositor's default seat, for the end-to-end test of the native
// Wayland desktop (e2e/wayland.sh). It lives as long as it reads stdin, so
// the seat keeps its pointer between commands.
//
// Usage: moravel_wlpointer WIDTH HEIGHT   (the layout's size, surface pixels)
// Reads lines from stdin:
//   move X Y                    the pointer to (X, Y) of the layout
//   click X Y [left|right|middle]   there, then a press and a release
//   size WIDTH HEIGHT           the layout's new size
// and writes "ok" for each once the compositor has handled it.

#include <linux/input-event-codes.h>
#include <time.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

zwlr_virtual_pointer_manager_v1* manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

// The events' clock: milliseconds of the monotonic clock, as input devices have.
uint32_t Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return uint32_t(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: moravel_wlpointer WIDTH HEIGHT\n");
    return 2;
  }
  uint32_t width = uint32_t(std::atoi(argv[1])), height = uint32_t(std::atoi(argv[2]));
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "moravel_wlpointer: no Wayland compositor\n");
    return 1;
  }
  static const wl_registry_listener kRegistry = {&Global, &GlobalRemove};
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (!manager) {
    std::fprintf(stderr, "moravel_wlpointer: the compositor offers no virtual pointer\n");
    return 1;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
  wl_display_roundtrip(display);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string verb, button = "left";
    uint32_t x = 0, y = 0;
    if (!(in >> verb >> x >> y) || (verb != "move" && verb != "click" && verb != "size")) {
      std::fprintf(stderr, "moravel_wlpointer: unknown command: %s\n", line.c_str());
      continue;
    }
    if (verb == "size") {
      width = x;
      height = y;
      std::printf("ok\n");
      std::fflush(stdout);
      continue;
    }
    in >> button;
    zwlr_virtual_pointer_v1_motion_absolute(pointer, Now(), x, y, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
    if (verb == "click") {
      const uint32_t code = button == "right"    ? BTN_RIGHT
                            : button == "middle" ? BTN_MIDDLE
                                                 : BTN_LEFT;
      zwlr_virtual_pointer_v1_button(pointer, Now(), code, WL_POINTER_BUTTON_STATE_PRESSED);
      zwlr_virtual_pointer_v1_frame(pointer);
      zwlr_virtual_pointer_v1_button(pointer, Now(), code, WL_POINTER_BUTTON_STATE_RELEASED);
      zwlr_virtual_pointer_v1_frame(pointer);
    }
    if (wl_display_roundtrip(display) < 0) {
      std::fprintf(stderr, "moravel_wlpointer: the connection failed\n");
      return 1;
    }
    std::printf("ok\n");
    std::fflush(stdout);
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  zwlr_virtual_pointer_manager_v1_destroy(manager);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return 0;
}
