#include "settings/IniText.h"

#include "settings/TextEncoding.h"

namespace moravel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

IniText DecodeIniBytes(std::string_view bytes) {
  IniText result;
  if (bytes.starts_with(kByteOrderMark)) {
    result.byteOrderMark = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (IsValidUtf8(bytes)) {
    result.text = bytes;
  } else {
    result.charset = IniCharset::kCp1251;
    result.text = Cp1251ToUtf8(bytes);
  }
  return result;
}

std::optional<std::string> EncodeIniText(std::string_view text, IniCharset charset,
                                         bool byteOrderMark) {
  std::string out(byteOrderMark ? kByteOrderMark : std::string_view{});
  if (charset == IniCharset::kUtf8) {
    out += text;
    return out;
  }
  const std::optional<std::string> converted = Utf8ToCp1251(text);
  if (!converted) return std::nullopt;
  // Bytes that are valid UTF-8 would be read back as UTF-8, which changes the
  // text unless it is plain ASCII.
  if (IsValidUtf8(*converted) && *converted != text) return std::nullopt;
  out += *converted;
  return out;
}

}  // namespace moravel
