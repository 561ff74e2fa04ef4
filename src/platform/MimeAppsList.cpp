#include "platform/MimeAppsList.h"

namespace moravel {

std::vector<std::string> MimeAppsListApplications(const KeyFile& list, std::string_view mimeType) {
  std::vector<std::string> apps;
  for (const char* group : {"Default Applications", "Added Associations"}) {
    const std::string entries = list.value(group, mimeType).value_or("");
    std::string_view rest = entries;
    while (!rest.empty()) {
      const size_t end = rest.find(';');
      std::string_view app = rest.substr(0, end);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
      while (!app.empty() && app.front() == ' ') app.remove_prefix(1);
      while (!app.empty() && app.back() == ' ') app.remove_suffix(1);
      if (!app.empty()) apps.emplace_back(app);
    }
  }
  return apps;
}

std::vector<std::string> MimeAppsListApplications(std::string_view text,
                                                  std::string_view mimeType) {
  return MimeAppsListApplications(KeyFile::Parse(text), mimeType);
}

}  // namespace moravel
