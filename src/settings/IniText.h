#pragma once
// Bytes of a settings file <-> the UTF-8 text the program works with.
// A file is read as UTF-8 when its bytes (after an optional UTF-8 byte-order
// mark) are valid UTF-8, else as Windows-1251. Encoding the text again with
// the same charset and mark gives back the original bytes exactly.

#include <optional>
#include <string>
#include <string_view>

namespace moravel {

enum class IniCharset { kUtf8, kCp1251 };

struct IniText {
  std::string text;  // UTF-8, without the byte-order mark
  IniCharset charset = IniCharset::kUtf8;
  bool byteOrderMark = false;  // the file started with EF BB BF
};

IniText DecodeIniBytes(std::string_view bytes);

// The file bytes for `text` (UTF-8). Nothing when the charset is 1251 and
// either the text holds a character that 1251 cannot represent or the 1251
// bytes would pass for UTF-8 and so read back as another text. Whenever there
// is a result, DecodeIniBytes(result).text equals `text`. The mark is written when
// `byteOrderMark` is set, whatever the charset, so that a file keeps its bytes.
std::optional<std::string> EncodeIniText(std::string_view text, IniCharset charset,
                                         bool byteOrderMark);

}  // namespace moravel
