// Shell links from arbitrary bytes: the reader stays inside them and gives
// only possible results. Inputs that are base64 text of a link (the form the
// shared sample links are kept in, used as seeds) are also read decoded.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/ShellLink.h"
#include "settings/TextEncoding.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

size_t Characters(const std::string& utf8) {
  size_t n = 0;
  for (char c : utf8) n += (uint8_t(c) & 0xC0) != 0x80;
  return n;
}

void Read(std::span<const uint8_t> bytes) {
  const moravel::Result<moravel::ShortcutInfo> parsed = moravel::ParseShortcut(bytes);
  if (!parsed) {
    Check(parsed.error().kind == moravel::ErrorKind::kMalformed);
    return;
  }
  const moravel::ShortcutInfo& info = *parsed;
  Check(info.linkFile.empty());
  for (const std::string* text : {&info.targetPath, &info.arguments, &info.workingDirectory,
                                  &info.description, &info.relativePath, &info.iconLocation}) {
    Check(moravel::IsValidUtf8(*text));
    Check(Characters(*text) <= moravel::kShortcutTextMax);
    Check(text->find('\0') == std::string::npos);
  }
  Check(bytes.size() >= 0x4C);
}

std::vector<uint8_t> FromBase64(std::string_view text) {
  static constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<uint8_t> out;
  uint32_t bits = 0, count = 0;
  for (char c : text) {
    const size_t digit = kDigits.find(c);
    if (digit == std::string_view::npos) continue;
    bits = bits << 6 | uint32_t(digit);
    if ((count += 6) >= 8) out.push_back(uint8_t(bits >> (count -= 8)));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Read(std::span(data, size));
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.substr(0, 6) == "TAAAAA") Read(FromBase64(text));  // base64 of a link header
  return 0;
}
