// user-dirs.dirs from arbitrary text: a folder found is absolute, has $HOME
// replaced, and ends without a slash (unless it is "/").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/UserDirs.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (std::string_view key : {"XDG_DESKTOP_DIR", "XDG_DOCUMENTS_DIR", "X"}) {
    const std::optional<std::string> dir = moravel::UserDirs::Find(text, key, "/home/u");
    if (!dir) continue;
    Check(!dir->empty() && dir->front() == '/');
    Check(dir->size() == 1 || dir->back() != '/');
    Check(text.find(key) != std::string_view::npos);
  }
  return 0;
}
