#pragma once
// Where the platform services read PATH, HOME and the XDG_* variables, and the
// environment handed to the programs they start. Injected so that tests can
// point the services at a fake folder tree.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moravel {

class Environment {
 public:
  virtual ~Environment() = default;

  // The value of `name`, or nothing when the variable is unset.
  virtual std::optional<std::string> get(std::string_view name) const = 0;

  // Every variable as "NAME=value", the environment of started programs.
  virtual std::vector<std::string> entries() const = 0;

  // The value of `name`, or `fallback` when unset or empty.
  std::string getOr(std::string_view name, std::string_view fallback) const {
    auto v = get(name);
    return v && !v->empty() ? *v : std::string(fallback);
  }
};

}  // namespace moravel
