#include "platform_wayland/WaylandConnection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform_wayland/LayerSurface.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace moravel {

struct WaylandConnection::OutputEntry : WaylandOutput {
  WaylandConnection* owner = nullptr;
};

void WaylandConnection::OutputGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t,
                                       int32_t, int32_t, const char*, const char*, int32_t) {
  auto* entry = static_cast<OutputEntry*>(data);
  entry->x = x;
  entry->y = y;
}

void WaylandConnection::OutputMode(void* data, wl_output*, uint32_t flags, int32_t width,
                                   int32_t height, int32_t) {
  if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
  auto* entry = static_cast<OutputEntry*>(data);
  entry->width = width;
  entry->height = height;
}

void WaylandConnection::OutputScale(void* data, wl_output*, int32_t factor) {
  static_cast<OutputEntry*>(data)->scale = std::max(factor, 1);
}

void WaylandConnection::OutputDone(void* data, wl_output*) {
  auto* entry = static_cast<OutputEntry*>(data);
  entry->done = true;
  if (entry->owner->outputsChanged_) entry->owner->outputsChanged_();
}

void WaylandConnection::OutputText(void*, wl_output*, const char*) {}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display) {}

Result<std::unique_ptr<WaylandConnection>> WaylandConnection::Connect(const char* name) {
  wl_display* display = wl_display_connect(name);
  if (!display) return Error::FromErrno(errno, "no Wayland compositor to connect to");
  std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
  static const wl_registry_listener kRegistry = {&WaylandConnection::Global,
                                                 &WaylandConnection::GlobalRemove};
  connection->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(connection->registry_, &kRegistry, connection.get());
  // The first round trip lists the globals; the second brings the outputs'
  // descriptions, asked for while binding them.
  for (int i = 0; i < 2; ++i) {
    if (Result<void> r = connection->Roundtrip(); !r) return r.error();
  }
  if (!connection->compositor_ || !connection->shm_) {
    return Error{ErrorKind::kUnsupported,
                 "the Wayland compositor offers no wl_compositor 4 or wl_shm"};
  }
  return connection;
}

WaylandConnection::~WaylandConnection() {
  for (auto& entry : outputs_) {
    if (wl_output_get_version(entry->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
      wl_output_release(entry->output);
    } else {
      wl_output_destroy(entry->output);
    }
  }
  if (layerShell_) {
    if (layerShellVersion_ >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
      zwlr_layer_shell_v1_destroy(layerShell_);
    } else {
      wl_proxy_destroy(reinterpret_cast<wl_proxy*>(layerShell_));
    }
  }
  if (seat_) {
    if (wl_seat_get_version(seat_) >= WL_SEAT_RELEASE_SINCE_VERSION) {
      wl_seat_release(seat_);
    } else {
      wl_seat_destroy(seat_);
    }
  }
  if (shm_) wl_shm_destroy(shm_);
  if (compositor_) wl_compositor_destroy(compositor_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandConnection::Global(void* data, wl_registry* registry, uint32_t name,
                               const char* interface, uint32_t version) {
  auto* self = static_cast<WaylandConnection*>(data);
  const auto bind = [&](const wl_interface* type, uint32_t wanted) {
    return wl_registry_bind(registry, name, type, std::min(version, wanted));
  };
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    if (version >= 4 && !self->compositor_)
      self->compositor_ = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    if (!self->shm_) self->shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
    // wl_pointer.frame comes from version 5.
    if (!self->seat_) self->seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    if (!self->layerShell_) {
      self->layerShellVersion_ = std::min(version, 4u);
      self->layerShell_ =
          static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 4));
    }
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    static const wl_output_listener kOutput = {&OutputGeometry, &OutputMode, &OutputDone,
                                               &OutputScale,    &OutputText, &OutputText};
    auto entry = std::make_unique<OutputEntry>();
    entry->name = name;
    entry->owner = self;
    entry->output = static_cast<wl_output*>(bind(&wl_output_interface, 3));
    wl_output_add_listener(entry->output, &kOutput, entry.get());
    self->outputs_.push_back(std::move(entry));
  }
}

void WaylandConnection::GlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto* self = static_cast<WaylandConnection*>(data);
  const auto it = std::find_if(self->outputs_.begin(), self->outputs_.end(),
                               [name](const auto& entry) { return entry->name == name; });
  if (it == self->outputs_.end()) return;  // only outputs are followed
  wl_output* output = (*it)->output;
  if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
    wl_output_release(output);
  } else {
    wl_output_destroy(output);
  }
  self->outputs_.erase(it);
  if (self->outputsChanged_) self->outputsChanged_();
}

int WaylandConnection::fd() const {
  return wl_display_get_fd(display_);
}

Error WaylandConnection::ConnectionError(const char* what) const {
  const int code = wl_display_get_error(display_);
  std::string message = std::string(what) + ": the Wayland connection failed";
  if (code == EPROTO) {
    const wl_interface* interface = nullptr;
    uint32_t id = 0;
    const uint32_t protocolCode = wl_display_get_protocol_error(display_, &interface, &id);
    message += " (protocol error " + std::to_string(protocolCode) + " on " +
               (interface ? interface->name : "an unknown object") + ")";
  } else if (code) {
    message += std::string(" (") + std::strerror(code) + ")";
  }
  return Error{ErrorKind::kFailed, message, code};
}

Result<void> WaylandConnection::Dispatch() {
  // Events already read (by a round trip, say) are handled first; then what
  // the socket holds, if anything.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) return ConnectionError("dispatch");
  }
  Flush();
  pollfd readable{fd(), POLLIN, 0};
  if (poll(&readable, 1, 0) > 0 && (readable.revents & (POLLIN | POLLHUP | POLLERR))) {
    if (wl_display_read_events(display_) < 0) return ConnectionError("read");
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0) return ConnectionError("dispatch");
  Flush();
  if (wl_display_get_error(display_)) return ConnectionError("dispatch");
  return {};
}

Result<void> WaylandConnection::Roundtrip() {
  if (wl_display_roundtrip(display_) < 0) return ConnectionError("round trip");
  return {};
}

void WaylandConnection::Flush() {
  // EAGAIN (a full socket) leaves the rest for the next call.
  wl_display_flush(display_);
}

std::vector<const WaylandOutput*> WaylandConnection::outputs() const {
  std::vector<const WaylandOutput*> done;
  for (const auto& entry : outputs_)
    if (entry->done) done.push_back(entry.get());
  return done;
}

const WaylandOutput* WaylandConnection::output(uint32_t name) const {
  for (const auto& entry : outputs_)
    if (entry->name == name) return entry.get();
  return nullptr;
}

void WaylandConnection::AddSurface(LayerSurface* surface) {
  surfaces_.push_back(surface);
}

void WaylandConnection::RemoveSurface(LayerSurface* surface) {
  std::erase(surfaces_, surface);
}

LayerSurface* WaylandConnection::SurfaceOf(const wl_surface* surface) const {
  if (!surface) return nullptr;
  for (LayerSurface* s : surfaces_)
    if (s->surface() == surface) return s;
  return nullptr;
}

}  // namespace moravel
