#pragma once
// A launcher that starts nothing and records every call, for tests of the
// subsystems that open things. Each call returns `result` (true by default).

#include <string>
#include <vector>

#include "platform/Launcher.h"

namespace moravel {

class RecordingLauncher : public Launcher {
 public:
  enum class Kind { Target, SpecialFolder, DateTimeSettings };

  struct Call {
    Kind kind;
    std::string target;     // Target only
    std::string arguments;  // Target only
    int shellNumber = -1;   // SpecialFolder only
    friend bool operator==(const Call&, const Call&) = default;
  };

  bool OpenTarget(const std::string& target, const std::string& arguments) override {
    calls.push_back({Kind::Target, target, arguments, -1});
    return result;
  }
  bool OpenSpecialFolder(int shellNumber) override {
    calls.push_back({Kind::SpecialFolder, {}, {}, shellNumber});
    return result;
  }
  bool OpenDateTimeSettings() override {
    calls.push_back({Kind::DateTimeSettings, {}, {}, -1});
    return result;
  }

  std::vector<Call> calls;  // in call order
  bool result = true;
};

}  // namespace moravel
