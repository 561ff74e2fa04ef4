// Decodes arbitrary bytes as JPEG, at full size and reduced as for an icon
// (1/2 to 1/8 while both sides keep 8 pixels); a picture that decodes must be
// opaque, and a reduced one no larger than the full one.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "codecs/JpegCodec.h"

namespace {

void CheckOpaque(const moravel::Bitmap& picture) {
  for (size_t i = 3; i < picture.byteCount(); i += 4) {
    if (picture.data()[i] != 255) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const moravel::Result<moravel::Bitmap> full = moravel::DecodeJpeg(std::span(data, size));
  if (full.ok()) CheckOpaque(*full);
  const moravel::Result<moravel::Bitmap> reduced =
      moravel::DecodeJpeg(std::span(data, size), {.jpegMinSide = 8});
  if (!reduced.ok()) return 0;
  CheckOpaque(*reduced);
  if (full.ok() && (reduced->width() > full->width() || reduced->height() > full->height()))
    std::abort();
  return 0;
}
