#pragma once
// Composes the desktop window's picture: the wallpaper with every control of
// the stack drawn over it, bottom to top, each by its picture's alpha.
//
// Changes are collected as rectangles (Invalidate, fed by the ControlStack)
// and recomposed on Flush: each changed rectangle is copied from the wallpaper
// and the controls that meet it are drawn again, clipped to it. Flush moves the
// rectangles to the list that TakeDirty hands to the window.

#include <vector>

#include "desktop/ControlStack.h"
#include "desktop/DesktopFrame.h"
#include "desktop/DirtySink.h"

namespace moravel {

// The colour of the desktop window where the user's own desktop shows through.
inline constexpr Rgba kDesktopKeyColour{0, 0, 255, 255};

class FrameComposer : public DesktopFrame, public DirtySink {
 public:
  // A width x height frame whose wallpaper is a pure blue fill. `controls`
  // must outlive the composer.
  FrameComposer(const ControlStack& controls, int width, int height);

  // The wallpaper layer (the desktop's background picture), screen-sized and
  // opaque. Whoever changes it calls InvalidateAll().
  Bitmap& wallpaper() { return wallpaper_; }
  const Bitmap& wallpaper() const { return wallpaper_; }

  // A new frame of width x height (pixels) whose wallpaper is a pure blue
  // fill, recomposed whole at the next Flush; rectangles collected for the
  // old size are dropped.
  void SetSize(int width, int height);

  void Invalidate(Rect area) override;
  void InvalidateAll() { Invalidate({0, 0, frame_.width(), frame_.height()}); }

  // Recomposes the collected rectangles; false when there were none.
  bool Flush();

  // The picture as of the last Flush.
  const Bitmap& picture() const override { return frame_; }
  // Flushes, then hands over the rectangles recomposed since the last call.
  std::vector<Rect> TakeDirty() override;

 private:
  void Recompose(Rect area);

  const ControlStack& controls_;
  Bitmap wallpaper_;
  Bitmap frame_;
  std::vector<Rect> pending_;
  std::vector<Rect> dirty_;
  std::vector<const ImageControl*> scratch_;
};

}  // namespace moravel
