#include "settings/CaseFold.h"

namespace moravel {

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + ('a' - 'A'));
      continue;
    }
    if (i + 1 >= out.size()) break;
    const unsigned char d = static_cast<unsigned char>(out[i + 1]);
    if (c == 0xD0 && d >= 0x80 && d <= 0xAF) {
      // U+0400..U+040F -> U+0450..U+045F, U+0410..U+041F -> U+0430..U+043F,
      // U+0420..U+042F -> U+0440..U+044F.
      if (d <= 0x8F) {
        out[i] = static_cast<char>(0xD1);
        out[i + 1] = static_cast<char>(d + 0x10);
      } else if (d <= 0x9F) {
        out[i + 1] = static_cast<char>(d + 0x20);
      } else {
        out[i] = static_cast<char>(0xD1);
        out[i + 1] = static_cast<char>(d - 0x20);
      }
      ++i;
    } else if (c == 0xD2 && d == 0x90) {  // U+0490 -> U+0491
      out[i + 1] = static_cast<char>(0x91);
      ++i;
    }
  }
  return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

}  // namespace moravel
