// libFuzzer target: the executable icon reader on arbitrary bytes, at the
// size the button editor asks for.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codecs/ExecutableIcon.h"
#include "codecs/SpanByteSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  moravel::SpanByteSource source(std::span(data, size));
  const moravel::Result<moravel::Bitmap> result = moravel::ReadExecutableIcon(source, 64);
  if (result && (result->width() != 64 || result->height() != 64))
    __builtin_trap();                                               // an icon is exactly 64 x 64
  if (!result && result.error().message.empty()) __builtin_trap();  // a failure says why
  return 0;
}
