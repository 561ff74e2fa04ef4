// Shell word splitting from arbitrary text: the words, each put back in
// single quotes and joined with spaces, split into the same words again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SplitShellWords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> words = moravel::SplitShellWords(text);
  std::string quoted;
  for (const std::string& word : words) {
    if (!quoted.empty()) quoted += ' ';
    quoted += '\'';
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += '\'';
  }
  if (moravel::SplitShellWords(quoted) != words) __builtin_trap();
  return 0;
}
