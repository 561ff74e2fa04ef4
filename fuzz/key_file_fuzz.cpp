// Key files from arbitrary text: every "[group]" line makes a group, and the
// first key of the first group reads back with its value trimmed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/KeyFile.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const moravel::KeyFile file = moravel::KeyFile::Parse(text);
  bool inFirstGroup = false, firstKeyChecked = false, groupSeen = false;
  std::string group;
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close != std::string_view::npos) Check(file.hasGroup(line.substr(1, close - 1)));
      inFirstGroup = !groupSeen && close != std::string_view::npos;
      if (inFirstGroup) group = line.substr(1, close - 1);
      groupSeen = true;
      continue;
    }
    const size_t eq = line.find('=');
    if (!inFirstGroup || firstKeyChecked || eq == std::string_view::npos) continue;
    Check(file.value(group, Trim(line.substr(0, eq))) == std::string(Trim(line.substr(eq + 1))));
    firstKeyChecked = true;
  }
  return 0;
}
