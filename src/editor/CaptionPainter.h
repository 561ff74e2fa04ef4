#pragma once
// Draws the caption of a button face: the program implements it with Qt's
// text drawing; tests use a fake.

#include <string>
#include <string_view>

#include "raster/AlphaPlane.h"

namespace moravel {

struct CaptionFont {
  std::string face;  // empty: the platform's default face
  int points = 0;    // 0: the platform's default size
  bool bold = false;
  bool italic = false;
  // Device pixels per 96-dpi pixel (1..3): the text, at its default size
  // too, is drawn this many times larger.
  int scale = 1;
};

class CaptionPainter {
 public:
  virtual ~CaptionPainter() = default;

  // The smoothed ink coverage (0..255) of `text` (UTF-8) drawn as one line
  // with its top-left corner at (0, 0) in a width x height area: clipped, no
  // wrapping, no ellipsis; line breaks are drawn as spaces. Point sizes are at
  // 96 dots per inch, times the font's scale. Returns a width x height plane
  // (all 0 when nothing is drawn).
  virtual AlphaPlane DrawCaption(std::string_view text, const CaptionFont& font, int width,
                                 int height) const = 0;
};

}  // namespace moravel
