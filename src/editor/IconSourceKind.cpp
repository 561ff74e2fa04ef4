#include "editor/IconSourceKind.h"

#include <cstddef>

namespace moravel {
namespace {

size_t CountCharacters(std::string_view utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

std::string_view Extension(std::string_view path) {
  size_t dot = path.rfind('.');
  return dot == std::string_view::npos ? path : path.substr(dot + 1);
}

}  // namespace

bool ExtensionStartsWith(std::string_view path, std::string_view letters) {
  std::string_view ext = Extension(path);
  if (ext.size() < letters.size()) return false;
  for (size_t i = 0; i < letters.size(); ++i) {
    char c = ext[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != letters[i]) return false;
  }
  return true;
}

IconSourceKind ClassifyIconSource(std::string_view path) {
  if (CountCharacters(path) <= 3) return IconSourceKind::kOther;
  struct Rule {
    std::string_view letters;
    IconSourceKind kind;
  };
  static constexpr Rule kRules[] = {
      {"png", IconSourceKind::kPng},        {"jpg", IconSourceKind::kPicture},
      {"bmp", IconSourceKind::kPicture},    {"gif", IconSourceKind::kPicture},
      {"jpeg", IconSourceKind::kPicture},   {"ico", IconSourceKind::kIconFile},
      {"exe", IconSourceKind::kExecutable}, {"lnk", IconSourceKind::kShortcut},
  };
  for (const Rule& rule : kRules)
    if (ExtensionStartsWith(path, rule.letters)) return rule.kind;
  return IconSourceKind::kOther;
}

}  // namespace moravel
