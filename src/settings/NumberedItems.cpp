#include "settings/NumberedItems.h"

#include <string>

namespace moravel {
namespace {

std::string Numbered(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

}  // namespace

// Both loops end: a file has finitely many sections and keys.
int CountNumberedSections(std::string_view prefix, const IniFile& ini) {
  int n = 0;
  while (ini.HasSection(Numbered(prefix, n + 1))) ++n;
  return n;
}

int CountNumberedKeys(std::string_view prefix, const IniFile& ini, std::string_view section) {
  int n = 0;
  while (ini.HasKey(section, Numbered(prefix, n + 1))) ++n;
  return n;
}

}  // namespace moravel
