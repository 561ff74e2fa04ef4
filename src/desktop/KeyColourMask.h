#pragma once
// Which pixels of the window were last shown in the key colour (pure blue,
// where the user's own desktop shows through), one bit each, so that the
// window's shape is sent again only where that changed. A screen of
// 1920 x 1080 takes 259 KB.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

namespace moravel {

class KeyColourMask {
 public:
  // Every pixel unknown: the first Update of any pixel reports a change.
  KeyColourMask(int width, int height);

  // Records the pixels shown at `area` (inside the mask), read from the
  // top-left area.width x area.height pixels of `piece`; true when any of
  // them changed between key colour and not, or was unknown.
  bool Update(const Bitmap& piece, Rect area);

 private:
  int width_, height_;
  std::vector<uint8_t> key_;    // one byte of 8 pixels, rows padded to bytes
  std::vector<uint8_t> known_;  // the same, for pixels recorded at least once
  size_t rowBytes_;
};

}  // namespace moravel
