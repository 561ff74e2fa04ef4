#pragma once
// Draws one state picture of a new button: the skin's template picture with
// the chosen icon in its icon rectangle and the caption in its caption
// rectangle. Colour and alpha are worked on apart: the icon and the caption
// are blended into the template's colour, and their coverage is joined to the
// template's alpha by a separate rule, so that an icon or caption may stand
// outside the template's opaque area and still be seen.

#include <optional>
#include <string>

#include "base/Result.h"
#include "editor/CaptionPainter.h"
#include "editor/FaceParams.h"
#include "editor/IconLoader.h"
#include "raster/Bitmap.h"

namespace moravel {

class ButtonFaceRenderer {
 public:
  // Both must outlive the renderer.
  ButtonFaceRenderer(const IconLoader& icons, const CaptionPainter& captions)
      : icons_(icons), captions_(captions) {}

  // A new RGBA picture of the template's size. An empty template path is
  // kEmpty; a template that cannot be read (a folder, a damaged file) is the
  // loader's error, its kind kept and its message after "cannot read the
  // template picture: ". A failure after the template was read (no memory,
  // sizes past the limits) gives the template as read, as a success. Never
  // throws.
  //
  // Rectangles are fitted first: a left or top past the picture's last
  // column or row is moved onto it, a rectangle running past the right or
  // bottom edge ends one pixel before that edge, and sizes below 1 become 1.
  // A negative left or top is kept and the part outside is clipped.
  //
  // At `scale` (1..kMaxScale; outside, the nearest) the face is drawn for a
  // screen of that many device pixels per skin pixel: the template comes
  // from LoadPictureAtScale, every rectangle of `params` (template pixels)
  // is multiplied by `scale` before it is fitted, the icon is asked at
  // IconLoader::kIconSize * scale and the caption drawn `scale` times larger.
  //
  // The last icon scaled is kept with its scaled copy, so a refresh with the
  // same icon and rectangle scales nothing. Not thread-safe.
  Result<Bitmap> RenderButtonFace(const std::string& templatePath,
                                  const std::string& iconSourcePath, const FaceParams& params,
                                  const std::string& caption, int scale = 1) const;

 private:
  // `picture` at width x height, scaled or taken from the last call's.
  std::optional<Bitmap> Scaled(Bitmap picture, int width, int height) const;

  const IconLoader& icons_;
  const CaptionPainter& captions_;
  mutable Bitmap lastSource_, lastScaled_;
};

}  // namespace moravel
