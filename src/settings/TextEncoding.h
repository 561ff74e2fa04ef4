#pragma once
// UTF-8 validation and the Windows-1251 code page (the code page of skins made
// on Windows). The 1251 table is complete and one-to-one: the one byte that
// the code page leaves unassigned, 0x98, maps to U+0098, so every byte string
// survives a trip to UTF-8 and back unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace moravel {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF). The empty string is valid.
bool IsValidUtf8(std::string_view bytes);

// Converts Windows-1251 bytes to UTF-8. Never fails.
std::string Cp1251ToUtf8(std::string_view bytes);

// Converts UTF-8 text to Windows-1251; nothing when `text` is not valid UTF-8
// or holds a character that the code page cannot represent.
std::optional<std::string> Utf8ToCp1251(std::string_view text);

}  // namespace moravel
