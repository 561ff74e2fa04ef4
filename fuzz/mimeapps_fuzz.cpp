// mimeapps.list from arbitrary text, for two fixed types and one named by the
// input's first line: every application listed is a trimmed, non-empty name
// without ';' taken from the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/MimeAppsList.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view firstLine = text.substr(0, text.find('\n'));
  for (std::string_view type :
       {std::string_view("x-scheme-handler/trash"), std::string_view("text/plain"), firstLine}) {
    for (const std::string& app : moravel::MimeAppsListApplications(text, type)) {
      Check(!app.empty() && app.front() != ' ' && app.back() != ' ');
      Check(app.find(';') == std::string::npos);
      Check(text.find(app) != std::string_view::npos);
    }
  }
  return 0;
}
