#include <gtest/gtest.h>

#include "platform_win32/WideText.h"

namespace moravel {
namespace {

// Cyrillic and a character beyond the first plane come back as they went;
// a lone surrogate, which no UTF-8 can hold, becomes U+FFFD.
TEST(WideText, Utf8FromWideUndoesWideFromUtf8) {
  const std::string text = "Обложки \xF0\x9F\x8E\xA8 skins";
  const std::wstring wide = WideFromUtf8(text);
  EXPECT_EQ(wide.size(), 16u);  // the emoji takes two units
  EXPECT_EQ(Utf8FromWide(wide), text);
  EXPECT_EQ(Utf8FromWide(std::wstring{L'a', wchar_t(0xD800), L'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf8FromWide(L""), "");
}

}  // namespace
}  // namespace moravel
