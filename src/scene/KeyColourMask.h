#pragma once
// Which pixels of the window were last shown in the key colour (pure blue,
// where the user's own desktop shows through), one bit each, so that the
// window's shape is sent again only where that changed. Two bits a pixel
// (key, and recorded once) and a byte a row: a screen of 1920 x 1080 takes
// 519 KB.

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
  // them changed between key colour and not, or was unknown. `anyKey` tells
  // whether any of them is in the key colour.
  bool Update(const Bitmap& piece, Rect area, bool& anyKey);

 private:
  int width_, height_;
  // Per 8 pixels of a row (rows padded to bytes) two bytes side by side, so
  // a tick's few pixels touch few cache lines: the key bits, then the bits
  // of pixels recorded at least once.
  std::vector<uint8_t> bits_;
  size_t rowBytes_;  // bytes of key bits in a row
  // Per row, 1 when every pixel of it is recorded and none is the key
  // colour: a piece without key pixels then needs no look at the row's bits.
  std::vector<uint8_t> plainRows_;

  bool RowIsPlain(const uint8_t* row) const;
};

}  // namespace moravel
