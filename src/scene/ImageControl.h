#pragma once
// One picture on the desktop window: the wallpaper, a static picture, a clock
// or calendar picture, a launch button or the analog clock.
//
// Size follows the picture: showing a picture with pixels sizes the control
// to it; showing an empty picture keeps the size and draws nothing. A control
// that never showed a picture is 0 x 0: it takes no room and gets no pointer
// events. The whole rectangle receives the pointer, transparent parts too.
//
// The picture is drawn over what lies below by its own alpha. The transparent
// flag does not change drawing by itself: pictures meant for a transparent
// control go through PictureForDrawing (TransparentKey.h) when they are
// loaded, so that showing one costs nothing.
//
// Controls are created and owned by a ControlStack, which learns of every
// change that alters the look so that the frame can redraw it.

#include <cstdint>
#include <span>

#include "raster/Rect.h"
#include "scene/Picture.h"

namespace moravel {

// The bands of the stacking order, bottom to top. Inside a band, a control
// added later lies above one added earlier. (The wallpaper lies below all.)
// The placement overlay (help picture, slots, marker) lies above everything.
enum class ControlLayer : uint8_t {
  StaticPicture = 1,
  Widget = 2,
  Button = 3,
  AnalogClock = 4,
  Placement = 5,
};

// Which event of the control runs its click action.
enum class ClickBinding { None, Click, DoubleClick };
enum class ClickAction { None, LaunchButton, OpenDateTimeSettings };

// The handlers bound to a control's events.
struct ControlHandlers {
  bool trackHover = false;      // mouse-move -> TrackHover
  bool buttonHandlers = false;  // mouse-down/up -> ButtonMouseDown/Up; right release -> button menu
  ClickBinding binding = ClickBinding::None;
  ClickAction action = ClickAction::None;
  bool overlay = false;  // a control of the placement overlay: its events go to the overlay
};

// Binds `action` to the double-click event when `doubleClick`, else to the
// click event; the other event stays empty.
void BindClick(ControlHandlers& handlers, ClickAction action, bool doubleClick);

class ImageControl;

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  // The control's look changed; `before` is its drawn rectangle before the change.
  virtual void ControlChanged(ImageControl& control, Rect before) = 0;
  // Only `area` (screen pixels, inside the control) of the look changed.
  virtual void ControlAreaChanged(ImageControl& control, Rect area) = 0;
};

class ImageControl {
 public:
  static constexpr int kFarOffScreen = 1 << 30;

  // `id` is unique among the live controls of one stack (0 is the wallpaper);
  // `order` sorts the stacking order (larger is higher). `observer` may be null.
  ImageControl(uint64_t id, uint64_t order, ControlObserver* observer)
      : id_(id), order_(order), observer_(observer) {}
  ImageControl(const ImageControl&) = delete;
  ImageControl& operator=(const ImageControl&) = delete;

  uint64_t id() const { return id_; }
  uint64_t order() const { return order_; }
  // Position and size in screen pixels.
  Rect rect() const { return {left_, top_, width_, height_}; }
  // The rectangle it covers on the screen: rect() when visible, else empty.
  Rect drawnRect() const { return visible_ ? rect() : Rect{}; }
  // True when the pixel (x, y) lies in drawnRect(): where the control takes
  // the pointer, transparent parts included.
  bool Covers(int x, int y) const {
    const Rect r = drawnRect();
    return x >= r.x && y >= r.y && x < r.right() && y < r.bottom();
  }
  bool visible() const { return visible_; }
  bool transparent() const { return transparent_; }
  const Picture& picture() const { return picture_; }

  void SetPicture(Picture picture);
  // A new picture of the same size that differs from the shown one only
  // inside `changed` (picture pixels); anything else is SetPicture.
  void SetPicture(Picture picture, std::span<const Rect> changed);
  // Positions beyond kFarOffScreen pixels from the origin are held there, far
  // off any screen, so that right() and bottom() of the rectangle stay in the
  // int range (a picture side is at most 16384 pixels).
  void MoveTo(int left, int top);
  void SetVisible(bool visible);
  // Sets the size directly (the wallpaper control, which has no picture of its own).
  void SetSize(int width, int height);
  // Remembered for the pictures that are loaded for this control later.
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  // Every picture this control shows is opaque (alpha 255 everywhere), so
  // nothing below it shows through: the frame is composed from it upwards.
  void SetOpaque(bool opaque) { opaque_ = opaque; }
  bool opaque() const { return opaque_; }

  int tag = 0;  // a button's slot number; 0 for every other control
  ControlHandlers handlers;

 private:
  void Changed(Rect before);

  uint64_t id_;
  uint64_t order_;
  ControlObserver* observer_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool transparent_ = false;
  bool opaque_ = false;
  Picture picture_;
};

}  // namespace moravel
