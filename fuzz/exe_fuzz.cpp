// libFuzzer target: the executable icon reader on arbitrary bytes, at the
// size the button editor asks for.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codecs/ExecutableIcon.h"
#include "codecs/SpanByteSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  moravel::SpanByteSource source(std::span(data, size));
  moravel::ExecutableIconResult result = moravel::ReadExecutableIcon(source, 64);
  const bool hasIcon = result.icon.width() == 64 && result.icon.height() == 64;
  if ((result.status == moravel::ExecutableIconResult::Status::kIcon) != hasIcon)
    __builtin_trap();  // an icon is exactly 64 x 64, and only with kIcon
  return 0;
}
