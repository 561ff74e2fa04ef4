#pragma once
// A connection of the program's own to the Wayland compositor, and the
// globals the desktop needs from it: wl_compositor (version 4 or later:
// buffer damage), wl_shm, the first wl_seat, every wl_output (followed as
// they come and go) and, when the compositor offers it, the layer shell. Its
// offer decides between layer surfaces and the X11 window through XWayland.
//
// The owner's event loop watches fd() for reading (a QSocketNotifier, poll)
// and calls Dispatch, which never blocks. The user-interface thread only.

#include <functional>
#include <memory>
#include <vector>

#include "base/Result.h"
#include "platform_wayland/WaylandOutput.h"

struct wl_compositor;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;

namespace moravel {

class LayerSurface;

class WaylandConnection {
 public:
  // Connects to the display named by `name` ($WAYLAND_DISPLAY when null) and
  // waits until the globals and each output's first description are known.
  // Fails without a compositor, or without wl_compositor 4 or wl_shm.
  static Result<std::unique_ptr<WaylandConnection>> Connect(const char* name = nullptr);
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  bool hasLayerShell() const { return layerShell_ != nullptr; }

  // The socket to watch for reading.
  int fd() const;
  // Reads what the compositor sent, if anything, and handles it; sends what
  // is queued. An error once the connection is lost or a protocol error
  // ended it (every later call fails too).
  Result<void> Dispatch();
  // Sends the queued requests and waits until the compositor has handled
  // them and every event they caused is handled (start-up, tests).
  Result<void> Roundtrip();
  // Sends the queued requests as far as the socket takes them now.
  void Flush();

  // The outputs that are described (done), in the order they came.
  std::vector<const WaylandOutput*> outputs() const;
  const WaylandOutput* output(uint32_t name) const;
  // Told after an output came, went, or changed its description.
  void SetOutputsChanged(std::function<void()> changed) { outputsChanged_ = std::move(changed); }

  wl_display* display() const { return display_; }
  wl_compositor* compositor() const { return compositor_; }
  wl_shm* shm() const { return shm_; }
  wl_seat* seat() const { return seat_; }  // null without a seat
  zwlr_layer_shell_v1* layerShell() const { return layerShell_; }
  uint32_t layerShellVersion() const { return layerShellVersion_; }

  // The layer surfaces made on this connection (LayerSurface keeps the
  // list), so that input can be given to the one it came for.
  void AddSurface(LayerSurface* surface);
  void RemoveSurface(LayerSurface* surface);
  // The live layer surface of `surface`, or null.
  LayerSurface* SurfaceOf(const wl_surface* surface) const;

 private:
  explicit WaylandConnection(wl_display* display);
  Error ConnectionError(const char* what) const;

  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version);
  static void GlobalRemove(void* data, wl_registry* registry, uint32_t name);
  static void OutputGeometry(void* data, wl_output* output, int32_t x, int32_t y, int32_t, int32_t,
                             int32_t, const char*, const char*, int32_t);
  static void OutputMode(void* data, wl_output* output, uint32_t flags, int32_t width,
                         int32_t height, int32_t refresh);
  static void OutputScale(void* data, wl_output* output, int32_t factor);
  static void OutputDone(void* data, wl_output* output);
  static void OutputText(void* data, wl_output* output, const char* text);

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_seat* seat_ = nullptr;
  zwlr_layer_shell_v1* layerShell_ = nullptr;
  uint32_t layerShellVersion_ = 0;
  struct OutputEntry;  // an output and the connection it belongs to
  std::vector<std::unique_ptr<OutputEntry>> outputs_;
  std::vector<LayerSurface*> surfaces_;
  std::function<void()> outputsChanged_;
};

}  // namespace moravel
