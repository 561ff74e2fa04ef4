// Decodes arbitrary bytes as GIF; a result is a picture or a reason, never both.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "codecs/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const moravel::Result<moravel::Bitmap> result = moravel::DecodeGif(std::span(data, size));
  if (!result.ok() && result.error().message.empty()) std::abort();
  return 0;
}
