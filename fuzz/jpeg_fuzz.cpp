// Decodes arbitrary bytes as JPEG; a picture that decodes must be opaque.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "codecs/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const moravel::DecodeResult result = moravel::DecodeJpeg(std::span(data, size));
  if (!result.ok()) return 0;
  const moravel::Bitmap& picture = *result.picture;
  for (size_t i = 3; i < picture.byteCount(); i += 4) {
    if (picture.data()[i] != 255) std::abort();
  }
  return 0;
}
