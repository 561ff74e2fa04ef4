#pragma once
// CaptionPainter drawn with Qt's text drawing into an 8-bit coverage plane.
//
// The area is at 96 dots per inch, as on the desktops the skins were drawn
// for. An empty face is the application's default family; 0 points (or
// fewer) its default size; sizes over 1000 points count as 1000. The size
// is then multiplied by the font's scale (1..3; outside, the nearest). Control
// characters (line breaks, tabs) are drawn as spaces. Widths and heights
// below 1 count as 1; an area over the picture limits (16384 a side, 100
// megapixels) gives an empty plane.
//
// The Windows faces skins name ("MS Sans Serif", "Microsoft Sans Serif",
// "Arial", "Tahoma") fall back to the metric-compatible "Liberation Sans"
// when they are not installed.
//
// Needs the QGuiApplication (fonts); use from its thread only.

#include "editor/CaptionPainter.h"

namespace moravel {

class QtCaptionPainter : public CaptionPainter {
 public:
  // Installs the font substitutions (once per process).
  QtCaptionPainter();

  AlphaPlane DrawCaption(std::string_view text, const CaptionFont& font, int width,
                         int height) const override;

  // The Windows faces -> "Liberation Sans" substitutions; safe to call again.
  static void InstallFontSubstitutes();
};

}  // namespace moravel
