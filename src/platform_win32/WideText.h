#pragma once
// Text is UTF-8 inside the program and UTF-16 at every Windows call. File
// names go through PathFromUtf8 (settings/Utf8Path.h); other text (arguments,
// captions, object and registry key names) through this.

#include <string>
#include <string_view>

namespace moravel {

// `utf8` as UTF-16. Bytes that are no UTF-8 become U+FFFD each; text over
// 2 GiB gives an empty string.
std::wstring WideFromUtf8(std::string_view utf8);

// `wide` (UTF-16, as Windows gives text back) as UTF-8. A lone surrogate
// becomes U+FFFD; text that could pass 2 GiB as UTF-8 gives an empty string.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace moravel
