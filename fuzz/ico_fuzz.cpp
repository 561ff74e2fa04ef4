// libFuzzer target: the icon reader on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codecs/IcoCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  moravel::Result<moravel::Bitmap> result = moravel::DecodeIco(std::span(data, size));
  if (result.ok() && result->empty()) __builtin_trap();  // success means a picture
  return 0;
}
