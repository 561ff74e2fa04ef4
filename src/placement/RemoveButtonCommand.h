#pragma once
// A button removed from the desktop as one of its commands (Desktop::Run);
// ButtonRemoval says how nothing is lost.

#include <optional>

#include "desktop/DesktopCommand.h"
#include "placement/ButtonRemoval.h"

namespace moravel {

class RemoveButtonCommand : public DesktopCommand {
 public:
  // `number`: the button's, from 1 (the pointer's selectedButton).
  explicit RemoveButtonCommand(int number) : number_(number) {}

  void Apply(DesktopModel& model) override { result_ = ButtonRemoval(model).RemoveButton(number_); }
  // After the run: done, or the Error (kNotFound: there is no such button).
  const std::optional<Result<void>>& result() const { return result_; }

 private:
  int number_;
  std::optional<Result<void>> result_;
};

}  // namespace moravel
