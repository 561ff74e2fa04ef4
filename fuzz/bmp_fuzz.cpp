// libFuzzer target: the BMP reader on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codecs/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  moravel::Result<moravel::Bitmap> result = moravel::DecodeBmp(std::span(data, size));
  if (result.ok() && result->empty()) __builtin_trap();  // success means a picture
  return 0;
}
