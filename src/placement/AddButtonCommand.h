#pragma once
// A new button added to the desktop as one of its commands (Desktop::Run):
// the editor's design committed at the placement's marker (NewButtonCommit
// says what that writes and refuses). The renderer outlives the run.

#include <optional>
#include <utility>

#include "desktop/DesktopCommand.h"
#include "placement/NewButtonCommit.h"

namespace moravel {

class AddButtonCommand : public DesktopCommand {
 public:
  // (left, top): the button's place, skin pixels.
  AddButtonCommand(const ButtonFaceRenderer& renderer, NewButtonDesign design, int left, int top)
      : renderer_(renderer), design_(std::move(design)), left_(left), top_(top) {}

  void Apply(DesktopModel& model) override {
    result_ = NewButtonCommit(model, renderer_).CommitNewButton(design_, left_, top_);
  }
  // After the run: the new button's number, or the Error shown.
  const std::optional<Result<int>>& result() const { return result_; }

 private:
  const ButtonFaceRenderer& renderer_;
  NewButtonDesign design_;
  int left_, top_;
  std::optional<Result<int>> result_;
};

}  // namespace moravel
