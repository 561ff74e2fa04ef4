#pragma once
// The button the pointer last selected removed from the desktop as one of its
// commands (Desktop::Run); ButtonRemoval says how nothing is lost.

#include <optional>

#include "desktop/DesktopCommand.h"
#include "placement/ButtonRemoval.h"

namespace moravel {

class RemoveButtonCommand : public DesktopCommand {
 public:
  void Apply(DesktopModel& model) override {
    result_ = ButtonRemoval(model).RemoveSelectedButton();
  }
  // After the run: done, or the Error (kNotFound: no button was selected).
  const std::optional<Result<void>>& result() const { return result_; }

 private:
  std::optional<Result<void>> result_;
};

}  // namespace moravel
