#include "desktop/PictureDialogFilter.h"

namespace moravel {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

std::vector<std::string> NameFilters(std::string_view filter) {
  const std::vector<std::string_view> fields = Split(filter, '|');
  std::vector<std::string> result;
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    std::string patterns;
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      if (pattern.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += pattern;
    }
    if (patterns.empty()) continue;
    const std::string suffix = "(" + patterns + ")";
    std::string description(fields[i]);
    if (!description.ends_with(suffix)) description += " " + suffix;
    result.push_back(std::move(description));
  }
  return result;
}

}  // namespace moravel
