#pragma once
// An environment held in memory, for tests of any subsystem: starts empty,
// variables are set and removed by the test.

#include <map>

#include "platform/Environment.h"

namespace moravel {

class FakeEnvironment : public Environment {
 public:
  FakeEnvironment() = default;
  FakeEnvironment(std::initializer_list<std::pair<const std::string, std::string>> vars)
      : vars_(vars) {}

  void set(const std::string& name, const std::string& value) { vars_[name] = value; }
  void unset(const std::string& name) { vars_.erase(name); }

  std::optional<std::string> get(std::string_view name) const override {
    auto it = vars_.find(std::string(name));
    if (it == vars_.end()) return std::nullopt;
    return it->second;
  }
  std::vector<std::string> entries() const override {
    std::vector<std::string> all;
    for (const auto& [name, value] : vars_) all.push_back(name + "=" + value);
    return all;
  }

 private:
  std::map<std::string, std::string> vars_;
};

}  // namespace moravel
