#pragma once
// The environment of this process (getenv / environ), read at each call.

#include "platform/Environment.h"

namespace moravel {

class ProcessEnvironment : public Environment {
 public:
  std::optional<std::string> get(std::string_view name) const override;
  std::vector<std::string> entries() const override;
};

}  // namespace moravel
