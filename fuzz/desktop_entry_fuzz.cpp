// Desktop entries from arbitrary text, read for one of a few locales chosen by
// the last byte: nothing without the group, and a bad Exec gives no words.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DesktopEntry.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static constexpr std::string_view kLocales[] = {"", "ru_RU.UTF-8", "sr_RS@latin", "de@euro", "C"};
  const std::string_view locale = size ? kLocales[data[size - 1] % 5] : "";
  const auto entry = moravel::ParseDesktopEntry(text, "/usr/share/applications/f.desktop", locale);
  if (text.find("[Desktop Entry]") == std::string_view::npos) Check(!entry.has_value());
  if (entry && !entry->execValid) Check(entry->exec.empty());
  return 0;
}
