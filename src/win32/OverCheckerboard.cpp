#include "win32/OverCheckerboard.h"

#include <optional>
#include <utility>

namespace moravel {

namespace {

constexpr uint8_t kLight = 255, kDark = 204;

uint8_t Over(uint8_t source, uint8_t alpha, uint8_t below) {
  return uint8_t((source * alpha + below * (255 - alpha) + 127) / 255);
}

}  // namespace

Bitmap OverCheckerboard(const Bitmap& picture, int square) {
  std::optional<Bitmap> shown = Bitmap::CreateForOverwrite(picture.width(), picture.height());
  if (!shown || square <= 0) return {};
  for (int y = 0; y < picture.height(); ++y) {
    const uint8_t* in = picture.row(y);
    uint8_t* out = shown->row(y);
    for (int x = 0; x < picture.width(); ++x, in += 4, out += 4) {
      const uint8_t below = (x / square + y / square) % 2 != 0 ? kDark : kLight;
      for (int c = 0; c < 3; ++c) out[c] = Over(in[c], in[3], below);
      out[3] = 255;
    }
  }
  return std::move(*shown);
}

}  // namespace moravel
