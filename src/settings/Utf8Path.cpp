#include "settings/Utf8Path.h"

namespace moravel {

std::filesystem::path PathFromUtf8(std::string_view name) {
  try {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
  } catch (const std::exception&) {
    return std::filesystem::path(std::string(name));  // no UTF-8 (Windows only)
  }
}

std::string Utf8Of(const std::filesystem::path& path) {
  try {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  } catch (const std::exception&) {
    return path.string();  // a lone UTF-16 surrogate (Windows only)
  }
}

}  // namespace moravel
