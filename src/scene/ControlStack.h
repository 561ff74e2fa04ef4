#pragma once
// The controls on the desktop window, in stacking order, with the index that
// finds the topmost control under the pointer and the controls that meet a
// rectangle. Every change of a control's look is passed on to the DirtySink
// as the old and the new rectangle.
//
// The wallpaper is not one of these controls: it lies below all of them.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "scene/ControlGrid.h"
#include "scene/DirtySink.h"
#include "scene/ImageControl.h"

namespace moravel {

class ControlStack : public ControlObserver {
 public:
  ControlStack(int screenWidth, int screenHeight);
  ~ControlStack() override;

  // The sink that hears of changed rectangles (may be null); not owned.
  void SetDirtySink(DirtySink* sink) { sink_ = sink; }
  // The screen changed size (pixels): the index is made again for it; the
  // controls keep their places.
  void SetScreenSize(int screenWidth, int screenHeight);

  // A new 0 x 0 control at (0, 0), on top of `layer`. Lives until Remove.
  ImageControl& Add(ControlLayer layer);
  // Destroys the control; its rectangle is reported as changed.
  void Remove(ImageControl& control);

  // The live control with this id, or null (ids are never reused).
  ImageControl* Find(uint64_t id) const;
  // The topmost visible control whose rectangle holds (x, y), or null.
  ImageControl* TopmostAt(int x, int y) const;
  // The visible controls whose rectangle meets `area`, bottom to top.
  void Intersecting(Rect area, std::vector<const ImageControl*>& out) const;
  // Every control, bottom to top.
  const std::vector<std::unique_ptr<ImageControl>>& all() const { return ordered_; }
  size_t size() const { return ordered_.size(); }

  void ControlChanged(ImageControl& control, Rect before) override;
  void ControlAreaChanged(ImageControl& control, Rect area) override;

 private:
  void Report(Rect area) const;

  ControlGrid grid_;
  DirtySink* sink_ = nullptr;
  uint64_t nextId_ = 1;
  uint64_t nextSequence_ = 1;
  std::vector<std::unique_ptr<ImageControl>> ordered_;  // by order()
  std::unordered_map<uint64_t, ImageControl*> byId_;
  mutable std::vector<ImageControl*> scratch_;
};

}  // namespace moravel
