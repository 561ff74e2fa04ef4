#pragma once
// CaptionPainter drawn with GDI into an 8-bit coverage plane: white text on
// black in a 32-bit DIB section, smoothed in grey levels
// (ANTIALIASED_QUALITY, never ClearType's coloured fringes), the coverage
// read from the green channel. GDI smooths as the font asks: many faces want
// their small sizes crisp (all 0 or 255), as they look on the desktop.
//
// The area is at 96 dots per inch whatever the screen's (a point is 4/3 of a
// pixel), as on the desktops the skins were drawn for. An empty face is
// "MS Sans Serif" when it is installed, else the face of the system's default
// GUI font; 0 points (or fewer) is the default GUI font's size; sizes over
// 1000 points count as 1000. The height is then multiplied by the font's
// scale (1..3; outside, the nearest). Control characters (line breaks, tabs) are
// drawn as spaces. Widths and heights below 1 count as 1; an area over the
// picture limits (16384 a side, 100 megapixels) gives an empty plane.
//
// Needs no window and no screen; each call makes and frees its own GDI
// objects, so any thread may draw.

#include "editor/CaptionPainter.h"

namespace moravel {

class GdiCaptionPainter : public CaptionPainter {
 public:
  AlphaPlane DrawCaption(std::string_view text, const CaptionFont& font, int width,
                         int height) const override;
};

}  // namespace moravel
