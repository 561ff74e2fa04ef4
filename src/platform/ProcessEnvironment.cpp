#include "platform/ProcessEnvironment.h"

#include <cstdlib>

extern char** environ;

namespace moravel {

std::optional<std::string> ProcessEnvironment::get(std::string_view name) const {
  const char* v = std::getenv(std::string(name).c_str());
  if (!v) return std::nullopt;
  return std::string(v);
}

std::vector<std::string> ProcessEnvironment::entries() const {
  std::vector<std::string> all;
  for (char** e = environ; e && *e; ++e) all.emplace_back(*e);
  return all;
}

}  // namespace moravel
