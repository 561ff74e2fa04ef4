#pragma once
// Where the pieces of the desktop frame go (FramePresenter): the window.

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class FrameOutput {
 public:
  virtual ~FrameOutput() = default;
  // `piece`'s top-left area.width x area.height pixels belong at `area` of
  // the window. The piece is scratch: its pixels may be overwritten (turned
  // into the window's own pixel format in place).
  virtual void ShowPiece(Bitmap& piece, Rect area) = 0;
  // The window's shape inside `area`: the pixels of the piece that are not
  // pure blue; with `anyKey` false there is none, and all of `area` is shown.
  virtual void ShapePiece(const Bitmap& piece, Rect area, bool anyKey) = 0;
};

}  // namespace moravel
