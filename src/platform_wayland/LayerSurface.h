#pragma once
// The desktop on one output of a compositor with the layer shell: a layer
// surface on the bottom layer (below every window, above the background),
// anchored to all four edges, kept clear of nothing (exclusive zone -1),
// taking no keyboard focus unless asked for (SetKeyboard).
//
// As a FrameOutput it takes the frame's pieces in device pixels: ShowPiece
// writes them into a wl_shm buffer (pure blue fully transparent) and marks
// them damaged; ShapePiece changes the input region so that it is exactly
// the shown pixels (nothing takes input before the first one). Flush
// commits all of it as one update. A buffer the compositor still holds is
// never written: each batch draws into a free one (of at most kMaxBuffers),
// after bringing it up to date with what the others were given meanwhile.
//
// The surface's size in device pixels is the size the compositor configures
// (surface pixels) times the output's whole-number scale, which it is drawn
// at (buffer scale). Each new size or scale is told to the owner, who then
// shows the whole frame again and flushes.
//
// Lifetime: the connection outlives it. The user-interface thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/Result.h"
#include "platform_wayland/BufferRotation.h"
#include "platform_wayland/InputShape.h"
#include "platform_wayland/ShmBuffer.h"
#include "platform_wayland/WaylandConnection.h"
#include "scene/FrameOutput.h"

struct wl_region;
struct wl_surface;
struct zwlr_layer_surface_v1;

namespace moravel {

class LayerSurface : public FrameOutput {
 public:
  static constexpr int kMaxBuffers = 4;

  // A surface on the output of registry name `output`, committed without a
  // buffer: the compositor's configure comes with a later Dispatch. Needs
  // the layer shell.
  static Result<std::unique_ptr<LayerSurface>> Create(WaylandConnection& connection,
                                                      uint32_t output);
  ~LayerSurface() override;
  LayerSurface(const LayerSurface&) = delete;
  LayerSurface& operator=(const LayerSurface&) = delete;

  uint32_t outputName() const { return outputName_; }
  wl_surface* surface() const { return surface_; }
  // The compositor gave the surface its size: it may be drawn on.
  bool configured() const { return width_ > 0 && height_ > 0; }
  // The compositor took the surface away (its output went): the owner
  // destroys it (not from inside the `closed` call).
  bool closed() const { return closed_; }
  int width() const { return width_; }  // device pixels; 0 before configured
  int height() const { return height_; }
  int scale() const { return scale_; }

  // Told the size in device pixels when the surface got a new size or scale,
  // the first configure included: the whole frame is to be shown again, its
  // shape too (the input region starts empty: a new FramePresenter, whose
  // mask knows of no pixel sent), and flushed. Also told when buffers ran out
  // and pieces were lost (the shape then stays as it was).
  void SetRedraw(std::function<void(int width, int height)> redraw) { redraw_ = std::move(redraw); }
  void SetClosed(std::function<void()> closed) { closedHandler_ = std::move(closed); }

  void ShowPiece(Bitmap& piece, Rect area) override;
  void ShapePiece(const Bitmap& piece, Rect area, bool anyKey) override;
  // Commits what ShowPiece and ShapePiece did since the last Flush.
  Result<void> Flush();

  // Whether the surface may take the keyboard focus (while a new button is
  // placed): on demand, by the compositor's usual rules (a click on it).
  void SetKeyboard(bool on);
  // Takes up the output's scale when it changed (the connection's
  // outputs-changed call).
  void FollowOutput();

 private:
  LayerSurface(WaylandConnection& connection, uint32_t output)
      : connection_(connection), outputName_(output) {}
  static void Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                        uint32_t height);
  static void Closed(void* data, zwlr_layer_surface_v1* layer);
  // A new size in surface pixels, or a new scale.
  void Resize(int logicalWidth, int logicalHeight, int scale);
  // The buffer this batch draws into, up to date; null when all are busy.
  ShmBuffer* Target();
  void BufferReleased();

  WaylandConnection& connection_;
  uint32_t outputName_;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  wl_region* region_ = nullptr;  // the input region as it is to be
  bool regionChanged_ = true;
  bool closed_ = false;
  bool keyboard_ = false;
  bool committedBuffer_ = false;  // a buffer of the current size is on the surface
  bool lost_ = false;             // pieces were dropped: a redraw is asked for when a buffer frees
  int logicalWidth_ = 0, logicalHeight_ = 0;
  int width_ = 0, height_ = 0, scale_ = 1;
  std::vector<std::unique_ptr<ShmBuffer>> buffers_;
  std::optional<BufferRotation> rotation_;  // which of them a batch draws into
  ShmBuffer* current_ = nullptr;            // drawn into by this batch
  int currentIndex_ = -1;
  std::vector<Rect> damage_;  // this batch's pieces
  std::optional<InputShape> shape_;
  std::function<void(int, int)> redraw_;
  std::function<void()> closedHandler_;
};

}  // namespace moravel
