// Decodes arbitrary bytes as PNG; a picture that decodes is written again with
// both encoder settings and must read back unchanged. What the plain path
// reads, libpng must read the same.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "codecs/PlainPngDecoder.h"
#include "codecs/PngCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  if (const std::optional<moravel::Bitmap> plain = moravel::DecodePlainPng(bytes)) {
    const moravel::Result<moravel::Bitmap> full = moravel::DecodePngWithLibpng(bytes);
    if (!full.ok() || !(*full == *plain)) std::abort();
  }
  const moravel::Result<moravel::Bitmap> first = moravel::DecodePng(bytes);
  if (!first.ok()) return 0;
  for (moravel::PngSpeed speed : {moravel::PngSpeed::Fast, moravel::PngSpeed::Small}) {
    const moravel::Result<std::vector<uint8_t>> encoded = moravel::EncodePng(*first, speed);
    if (!encoded.ok()) std::abort();
    const moravel::Result<moravel::Bitmap> again = moravel::DecodePng(*encoded);
    if (!again.ok() || !(*again == *first)) std::abort();
  }
  return 0;
}
