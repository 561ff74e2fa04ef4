#include "platform_wayland/LayerSurface.h"

#include <wayland-client.h>

#include <algorithm>

#include "platform_wayland/ShmPixels.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace moravel {
Result<std::unique_ptr<LayerSurface>> LayerSurface::Create(WaylandConnection& connection,
                                                           uint32_t output) {
  const WaylandOutput* out = connection.output(output);
  if (!connection.layerShell()) {
    return Error{ErrorKind::kUnsupported, "the compositor offers no layer shell"};
  }
  if (!out) return Error{ErrorKind::kNotFound, "no such output"};
  std::unique_ptr<LayerSurface> self(new LayerSurface(connection, output));
  self->scale_ = out->scale;
  self->surface_ = wl_compositor_create_surface(connection.compositor());
  self->layer_ =
      zwlr_layer_shell_v1_get_layer_surface(connection.layerShell(), self->surface_, out->output,
                                            ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "desktop");
  static const zwlr_layer_surface_v1_listener kListener = {&LayerSurface::Configure,
                                                           &LayerSurface::Closed};
  zwlr_layer_surface_v1_add_listener(self->layer_, &kListener, self.get());
  zwlr_layer_surface_v1_set_anchor(
      self->layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                        ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  zwlr_layer_surface_v1_set_size(self->layer_, 0, 0);
  zwlr_layer_surface_v1_set_exclusive_zone(self->layer_, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      self->layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
  // Nothing takes input until the frame's shape is known.
  self->region_ = wl_compositor_create_region(connection.compositor());
  wl_surface_set_input_region(self->surface_, self->region_);
  self->regionChanged_ = false;
  wl_surface_commit(self->surface_);
  connection.Flush();
  connection.AddSurface(self.get());
  return self;
}

LayerSurface::~LayerSurface() {
  connection_.RemoveSurface(this);
  current_ = nullptr;
  buffers_.clear();
  if (region_) wl_region_destroy(region_);
  if (layer_) zwlr_layer_surface_v1_destroy(layer_);
  if (surface_) wl_surface_destroy(surface_);
  connection_.Flush();
}

void LayerSurface::Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial,
                             uint32_t width, uint32_t height) {
  auto* self = static_cast<LayerSurface*>(data);
  zwlr_layer_surface_v1_ack_configure(layer, serial);
  const WaylandOutput* out = self->connection_.output(self->outputName_);
  const int scale = out ? out->scale : self->scale_;
  // A zero leaves the size to the surface: the output's.
  const int logicalWidth = width ? int(width) : (out ? out->width / scale : 0);
  const int logicalHeight = height ? int(height) : (out ? out->height / scale : 0);
  self->Resize(logicalWidth, logicalHeight, scale);
}

void LayerSurface::Closed(void* data, zwlr_layer_surface_v1*) {
  auto* self = static_cast<LayerSurface*>(data);
  self->closed_ = true;
  if (self->closedHandler_) self->closedHandler_();
}

void LayerSurface::FollowOutput() {
  const WaylandOutput* out = connection_.output(outputName_);
  if (!out || out->scale == scale_ || !configured()) return;
  Resize(logicalWidth_, logicalHeight_, out->scale);
}

void LayerSurface::Resize(int logicalWidth, int logicalHeight, int scale) {
  if (logicalWidth == logicalWidth_ && logicalHeight == logicalHeight_ && scale == scale_ &&
      configured()) {
    // Nothing to draw again; the acknowledged configure takes effect.
    if (committedBuffer_) wl_surface_commit(surface_);
    connection_.Flush();
    return;
  }
  logicalWidth_ = std::max(logicalWidth, 0);
  logicalHeight_ = std::max(logicalHeight, 0);
  scale_ = std::max(scale, 1);
  width_ = logicalWidth_ * scale_;
  height_ = logicalHeight_ * scale_;
  current_ = nullptr;
  buffers_.clear();
  rotation_.emplace(width_, height_, kMaxBuffers);
  damage_.clear();
  committedBuffer_ = false;
  lost_ = false;
  shape_.emplace(width_, height_, scale_);
  // Nothing takes input until the frame is shown again.
  wl_region_destroy(region_);
  region_ = wl_compositor_create_region(connection_.compositor());
  regionChanged_ = true;
  if (configured() && redraw_) redraw_(width_, height_);
}

ShmBuffer* LayerSurface::Target() {
  if (current_ || !rotation_) return current_;
  std::vector<bool> busy;
  for (const auto& buffer : buffers_) busy.push_back(buffer->busy());
  std::vector<Rect> copy;
  const std::optional<int> chosen = rotation_->Choose(busy, copy);
  if (!chosen) return nullptr;
  if (*chosen == int(buffers_.size())) {
    Result<std::unique_ptr<ShmBuffer>> made = ShmBuffer::Create(connection_.shm(), width_, height_);
    if (!made) {
      rotation_->Unmade();
      return nullptr;
    }
    (*made)->SetReleased([this] { BufferReleased(); });
    buffers_.push_back(std::move(*made));
  }
  ShmBuffer* target = buffers_[size_t(*chosen)].get();
  const int latest = rotation_->latest();
  if (latest >= 0 && latest != *chosen) {
    for (const Rect& r : copy) target->CopyFrom(*buffers_[size_t(latest)], r);
  }
  current_ = target;
  currentIndex_ = *chosen;
  return current_;
}

void LayerSurface::BufferReleased() {
  if (!lost_) return;
  lost_ = false;
  if (redraw_) redraw_(width_, height_);
}

void LayerSurface::ShowPiece(Bitmap& piece, Rect area) {
  if (closed_ || !configured()) return;
  const Rect r = Intersect(area, {0, 0, width_, height_});
  if (r.empty()) return;
  ShmBuffer* target = Target();
  if (!target) {
    lost_ = true;  // every buffer is held: drawn again once one is free
    return;
  }
  for (int y = r.y; y < r.bottom(); ++y) {
    ToShmArgb(piece.row(y - area.y) + size_t(r.x - area.x) * 4, target->row(y) + size_t(r.x) * 4,
              r.width);
  }
  damage_.push_back(r);
}

void LayerSurface::ShapePiece(const Bitmap& piece, Rect area, bool anyKey) {
  if (closed_ || !configured() || !shape_) return;
  const InputShape::Change change = shape_->Update(piece, area, anyKey);
  if (change.area.empty()) return;
  const Rect& a = change.area;
  wl_region_subtract(region_, a.x, a.y, a.width, a.height);
  for (const Rect& r : change.shown) wl_region_add(region_, r.x, r.y, r.width, r.height);
  regionChanged_ = true;
}

Result<void> LayerSurface::Flush() {
  if (closed_ || !configured()) return {};
  bool commit = false;
  if (current_ && !damage_.empty()) {
    wl_surface_attach(surface_, current_->buffer(), 0, 0);
    wl_surface_set_buffer_scale(surface_, scale_);
    for (const Rect& r : damage_) wl_surface_damage_buffer(surface_, r.x, r.y, r.width, r.height);
    current_->MarkBusy();
    rotation_->Committed(currentIndex_, damage_);
    committedBuffer_ = true;
    commit = true;
  }
  current_ = nullptr;
  currentIndex_ = -1;
  damage_.clear();
  // The region goes with a buffer: before the first, the surface is not shown.
  if (regionChanged_ && committedBuffer_) {
    wl_surface_set_input_region(surface_, region_);
    regionChanged_ = false;
    commit = true;
  }
  if (commit) wl_surface_commit(surface_);
  connection_.Flush();
  if (wl_display_get_error(connection_.display())) {
    return Error{ErrorKind::kFailed, "the Wayland connection failed",
                 wl_display_get_error(connection_.display())};
  }
  return {};
}

void LayerSurface::SetKeyboard(bool on) {
  if (on == keyboard_ || closed_) return;
  keyboard_ = on;
  // Before version 4 there is no "on demand": the focus is then exclusive.
  const uint32_t mode = !on ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                        : connection_.layerShellVersion() >= 4
                            ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND
                            : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE;
  zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, mode);
  wl_surface_commit(surface_);
  connection_.Flush();
}

}  // namespace moravel
