#pragma once
// Composes the desktop window's picture: the wallpaper with every control of
// the stack drawn over it, bottom to top, each by its picture's alpha.
//
// Changes are collected as rectangles (Invalidate, fed by the ControlStack);
// the first one after a TakeDirty tells the frame sink, and TakeDirty hands
// them to the window. A
// rectangle is composed by copying it from the wallpaper and drawing the
// controls that meet it again, clipped to it.
//
// The program's window composes the rectangles it shows piece by piece
// (ComposeInto), so no screen-sized frame is kept for it; picture() makes and
// keeps one on its first call (tests, the preview tool, the window without
// X11), which every Flush then brings up to date.

#include <vector>

#include "scene/ControlStack.h"
#include "scene/DesktopFrame.h"
#include "scene/DirtySink.h"
#include "scene/FrameSink.h"

namespace moravel {

// The colour of the desktop window where the user's own desktop shows through.
inline constexpr Rgba kDesktopKeyColour{0, 0, 255, 255};

class FrameComposer : public DesktopFrame, public DirtySink {
 public:
  // A width x height frame whose wallpaper is a pure blue fill. `controls`
  // must outlive the composer.
  FrameComposer(const ControlStack& controls, int width, int height, bool paintFirst = false);

  // The wallpaper layer (the desktop's background picture), screen-sized and
  // opaque. Whoever changes it calls InvalidateAll(). With `paintFirst` the
  // layer starts unfilled, for a painter that replaces it whole at once: its
  // owner then calls WallpaperPainted before anything reads it.
  Bitmap& wallpaper() { return wallpaper_; }
  const Bitmap& wallpaper() const { return wallpaper_; }
  // After the first painting: false (nothing painted) fills the layer blue.
  void WallpaperPainted(bool painted);

  // A new frame of width x height (pixels) whose wallpaper is a pure blue
  // fill, recomposed whole at the next Flush; rectangles collected for the
  // old size are dropped.
  void SetSize(int width, int height);

  // Who is told of the first change after each TakeDirty; null: nobody.
  // Borrowed; must outlive the composer or be replaced first.
  void SetFrameSink(FrameSink* sink) { sink_ = sink; }

  void Invalidate(Rect area) override;
  void InvalidateAll() { Invalidate({0, 0, width_, height_}); }

  // Moves the collected rectangles to the list for the window (and
  // recomposes them in the kept frame, if any); false when there were none.
  bool Flush() { return MovePending(); }

  // Composes `area` (inside the frame) into the top-left area.width x
  // area.height pixels of `out`, which must be at least that large.
  void ComposeInto(Rect area, Bitmap& out) const;

  // The whole picture as it is now (made on the first call); what changed
  // stays listed for TakeDirty.
  const Bitmap& picture() const override;
  // Flushes, then hands over the rectangles recomposed since the last call.
  std::vector<Rect> TakeDirty() override;

 private:
  bool MovePending() const;
  // The same, into `out` at (outX, outY).
  void ComposeInto(Rect area, Bitmap& out, int outX, int outY) const;

  const ControlStack& controls_;
  // Fills an unfilled wallpaper blue before it is read.
  void FillIfUnfilled() const;

  mutable Bitmap wallpaper_;
  int width_, height_;                 // the wallpaper's (0 x 0 when it could not be made)
  mutable bool unfilled_;              // wallpaper_ holds no pixels yet (see WallpaperPainted)
  mutable Bitmap frame_;               // empty until picture() is first called
  mutable std::vector<Rect> pending_;  // changed, not yet composed
  mutable std::vector<Rect> dirty_;    // composed, not yet taken
  FrameSink* sink_ = nullptr;
  bool told_ = false;  // the sink knows of changes not yet taken
  mutable std::vector<const ImageControl*> scratch_;
};

}  // namespace moravel
