#include "platform_win32/WideText.h"

#include <windows.h>

#include <climits>

namespace moravel {

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > size_t(INT_MAX)) return {};
  const int bytes = int(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), length);
  return wide;
}

}  // namespace moravel
