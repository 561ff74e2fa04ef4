#pragma once
// The analog clock of a skin's [analogclock] section: a plate picture laid
// over the wallpaper below it, with an hour hand, a minute hand and, with
// showseconds, a second hand, each turned about its own pivot.
//
// The clock is one control on ControlLayer::AnalogClock. Its picture is the
// base (the wallpaper rectangle under the clock with the plate drawn over it)
// with the hands drawn over it, lowest first: hour, minute, second. The hands
// point at angle 0 until SetAngles is called.
//
// Lifetime: the control belongs to the ControlStack it was built on; the clock
// only points at it. Call Remove before the stack clears its controls, or
// simply drop the clock when the stack itself is gone.

#include <memory>
#include <vector>

#include "desktop/SceneContext.h"
#include "raster/RotatingLayer.h"
#include "widgets/HandAngles.h"

namespace moravel {

class AnalogClock {
 public:
  // Builds the clock from ctx.files.config [analogclock], files from the skin
  // folder, placed at its resolved (x, y). With `clickAction` a click (or a
  // double click, as ctx.menu says) on it opens the date and time settings.
  // The second hand is built when ctx.scene.showSeconds is set. Null when a
  // file cannot be loaded (told to ctx.problems); nothing is then left on
  // ctx.controls.
  static std::unique_ptr<AnalogClock> Build(SceneContext& ctx, bool clickAction);

  // The [analogclock] keys of one hand (defined with the build).
  struct HandKeys;

  AnalogClock(const AnalogClock&) = delete;
  AnalogClock& operator=(const AnalogClock&) = delete;

  // Takes the control off its stack; the clock must not be used afterwards.
  void Remove();
  // True when the clock's control lives on `controls`.
  bool IsOn(const ControlStack& controls) const;

  // Turns the hands (the second angle only matters with a second hand) and
  // shows the new picture. A hand whose farthest pixel would move less than
  // kLeastMovePixels keeps its angle until the turn adds up to that. Only the pixels a turned hand
  // left or reaches are drawn again, and only the rows' changed runs are reported, in bands of rows
  // (a slanted hand gives a few narrow rectangles, not its whole box).
  void SetAngles(const HandAngles& angles);

  const ImageControl& image() const { return *image_; }
  // The plate over the wallpaper, without hands.
  const Bitmap& base() const { return base_; }
  // hour, minute and (with a second hand) second, lowest first.
  const std::vector<RotatingLayer>& hands() const { return hands_; }

 private:
  AnalogClock(ControlStack& controls, ImageControl& image, Bitmap base);
  bool AddHand(const SceneContext& ctx, const HandKeys& keys);
  void Redraw();
  // Draws again, in every row, the run where hand number `hand` was
  // (footprints_) or is now (planned_), but for the parts the turned hands
  // before it drew again this tick, adding the changed runs to `changed`.
  void RedrawAround(size_t hand, std::vector<Rect>& changed);

  ControlStack* controls_;
  ImageControl* image_;
  uint64_t imageId_;
  Bitmap base_;
  static constexpr double kLeastMovePixels = 0.25;
  static constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

  std::vector<RotatingLayer> hands_;
  std::vector<double> reach_;  // per hand: its farthest pixel from the pivot, pixels
  // The shown picture, changed in place while only the clock and its control
  // hold it (copied first when anyone else does). `footprints_` and `angles_`
  // tell where and at what angle each hand was drawn in it.
  std::shared_ptr<Bitmap> picture_;
  std::vector<RotatingLayer::Footprint> footprints_, planned_;
  std::vector<float> angles_;
  std::vector<uint8_t> rowCopy_;  // one row's old pixels while it is redrawn
};

}  // namespace moravel
