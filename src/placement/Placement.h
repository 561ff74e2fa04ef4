#pragma once
// The placement overlay: where a new button goes is chosen on the desktop
// window itself. A help picture explains the keys, red silhouettes of the
// template's up picture mark the fixed places (slots) the template offers, and
// a green silhouette, the marker, stands where the button will go. The marker
// follows a mouse drag, jumps onto a clicked slot, and moves with the arrow
// keys one pixel at a time (Ctrl held, or a template without a grid) or along
// the template's grid, wrapping around at its ends. Space commits, Esc cancels.
//
// The overlay's controls lie on ControlLayer::Placement, help picture first,
// then the slots, then the marker, so the marker lies on top. They are found
// by id at every use. The template section's keys:
//   image1        the up picture, relative to the skin folder
//   posx, posy    the marker's start (stored screen coordinates); "posx"
//                 switches the grid on, whose raster runs through the start
//   posw, posh    the grid's steps in pixels (default: the picture's size);
//                 a step of 0 or less gives no grid
//   posx<i>, posy<i>  slot i, counted from 1 up to the first missing posx<i>
// Nothing here looks for free places or overlap: any place the marker reaches
// is accepted.
//
// The placement works in skin pixels (SkinScreen): the marker's place, the
// grid, the slots and a pixel step; at a scale above 1 its pictures are
// loaded for that scale and its controls stand at the device pixels of their
// skin places, so a place chosen at one scale is the same at every other.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "desktop/DesktopOverlay.h"
#include "desktop/DesktopTimers.h"
#include "desktop/Monitor.h"
#include "placement/KeyLatch.h"
#include "placement/PlacementGrid.h"
#include "settings/IniFile.h"

namespace moravel {

class Placement : public DesktopOverlay {
 public:
  static constexpr Rgba kMarkerColour{0, 255, 0, 255};
  static constexpr Rgba kSlotColour{255, 0, 0, 255};
  // The help picture's top-left corner is this far left of and above the
  // screen's centre (a 480 x 360 picture is then centred).
  static constexpr int kHelpHalfWidth = 240, kHelpHalfHeight = 180;

  // `timers` outlives the placement.
  explicit Placement(DesktopTimers& timers);
  ~Placement() override;
  Placement(const Placement&) = delete;
  Placement& operator=(const Placement&) = delete;

  // The desktop's controls, where the overlay goes, and its monitors: the
  // overlay is laid out at each Begin on the first of them (the primary
  // one), which the desktop window covers from its top-left corner.
  void Attach(ControlStack& controls, const std::vector<Monitor>& monitors) override;
  // Ends a running placement; Begin fails until the next Attach.
  void Detach() override;

  // Shows the overlay for template section `section` of `config` in the skin
  // folder `skinPath`, with the help picture in the file `helpPicture`, and
  // switches the placement timer on. A running placement is ended first, so
  // no overlay control is ever left behind. Nothing is shown and the timer
  // stays off when the placement is not attached (kFailed) or the help
  // picture cannot be loaded (the loader's kind, the message after the
  // file's name). An up picture that cannot be loaded gives invisible
  // silhouettes: the keys still move the marker and Space still commits.
  Result<void> Begin(const IniFile& config, std::string_view section,
                     const std::filesystem::path& skinPath,
                     const std::filesystem::path& helpPicture);
  // Switches the timer off and removes every overlay control. The grid stays
  // until the next Begin. Does nothing when no placement runs.
  void End();
  bool active() const { return active_; }

  enum class TickResult { kNothing, kMoved, kCancelled, kCommit };
  // The 100 ms tick. Takes Esc, Space, Ctrl, Left, Right, Up and Down from
  // `keys`, in this order, at every tick of a running placement. Esc wins
  // (also over Space) and ends the placement (kCancelled); Space returns
  // kCommit and leaves the overlay up: the caller commits at markerLeft(),
  // markerTop(), then calls End. Arrows act in the order Right, Left, Up,
  // Down; kMoved when the marker moved. Nothing happens when not active.
  TickResult Tick(KeyLatch& keys);

  // The place being chosen: the marker's top-left corner in skin pixels.
  int markerLeft() const { return left_; }
  int markerTop() const { return top_; }

  // The grid of the running (or last) placement and whether it is used.
  const PlacementGrid& grid() const { return grid_; }
  bool gridAvailable() const { return gridAvailable_; }

  // ControlEvents for the overlay's controls, (x, y) in device pixels. Any
  // button pressed on the marker starts a drag that keeps the grabbed point
  // under the pointer, without bounds, until a button is released; a click on
  // a slot puts the marker on it. Both free the marker from the grid.
  void MouseMove(ImageControl& control, int x, int y) override;
  void MouseDown(ImageControl& control, MouseButton button, int x, int y) override;
  void Click(ImageControl& control) override;
  void DoubleClick(ImageControl& control) override {}
  void MouseUp(ImageControl& control, MouseButton button, int x, int y) override;

 private:
  ImageControl& AddOverlay(const Picture& picture, int left, int top);
  bool IsSlot(uint64_t id) const;
  // Sets the marker's place (held within ImageControl::kFarOffScreen).
  void MoveMarker(int64_t left, int64_t top);
  bool PixelStep(bool left, bool right, bool up, bool down);
  bool GridStep(bool left, bool right, bool up, bool down);

  DesktopTimers& timers_;
  // Lent by Attach; null when detached.
  ControlStack* controls_ = nullptr;
  const std::vector<Monitor>* monitors_ = nullptr;
  // The primary monitor, where the overlay lies.
  SkinScreen screen() const { return monitors_->front().skin(); }
  // Its size in skin pixels.
  int screenWidth() const { return screen().logicalWidth(); }
  int screenHeight() const { return screen().logicalHeight(); }

  bool active_ = false;
  uint64_t helpId_ = 0, markerId_ = 0;
  std::vector<uint64_t> slotIds_;
  int markerWidth_ = 0, markerHeight_ = 0;  // the silhouette's size
  int left_ = 0, top_ = 0;

  PlacementGrid grid_;
  bool gridAvailable_ = false;
  bool snapped_ = false;  // on a grid point: arrows step through the grid
  int column_ = 0, row_ = 0;

  bool dragging_ = false;
  int64_t grabX_ = 0, grabY_ = 0;  // the pointer inside the marker when the drag began, skin pixels
};

}  // namespace moravel
