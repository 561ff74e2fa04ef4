#include "placement/NewButtonFlow.h"

#include <optional>
#include <utility>

#include "placement/AddButtonCommand.h"
#include "placement/ButtonMessages.h"
#include "placement/ButtonTarget.h"

namespace moravel {

NewButtonFlow::NewButtonFlow(Desktop& session, const ButtonFaceRenderer& renderer,
                             std::filesystem::path helpPicture)
    : session_(session),
      state_(session.state()),
      helpPicture_(std::move(helpPicture)),
      placement_(state_.services.timers),
      renderer_(renderer),
      editor_(state_.files, renderer, state_.services.timers, [this] { return BeginPlacement(); }) {
  session_.SetOverlay(&placement_);
}

NewButtonFlow::~NewButtonFlow() {
  session_.SetOverlay(nullptr);
}

void NewButtonFlow::OpenEditor() {
  EndPlacement();
}

void NewButtonFlow::EndPlacement() {
  if (!placement_.active()) return;
  placement_.End();
}

Result<void> NewButtonFlow::BeginPlacement() {
  const IniFile* config = state_.files.config.get();
  const IniFile* user = state_.files.user.get();
  if (!config || !user) return Error{ErrorKind::kFailed, "the desktop has not started"};
  // What the commit would refuse is refused now, with the editor still open,
  // with the commit's kinds and messages.
  std::optional<Error> refused;
  if (!user->readable()) {
    refused = Error{ErrorKind::kFailed, ButtonTable::UnreadableRecordsMessage(*user)};
  } else if (auto why = UnstorableTargetMessage(
                 ResolveButtonTarget(editor_.design().target, editor_.design().action))) {
    refused = Error{ErrorKind::kMalformed, std::move(*why)};
  }
  if (refused) {
    state_.services.window.ShowMessage(refused->message);
    return std::move(*refused);
  }
  const std::string section = "freebutton" + std::to_string(editor_.design().templateNumber);
  keys_.ReleaseAll();
  Result<void> begun = placement_.Begin(*config, section, state_.files.skinPath, helpPicture_);
  if (begun) {
    state_.services.window.TakeKeyboardFocus();
  } else {
    state_.services.window.ShowMessage(begun.error().message);
  }
  return begun;
}

void NewButtonFlow::OnTimer(DesktopTimer timer) {
  if (timer == DesktopTimer::EditorCaption) editor_.OnCaptionPoll();
  if (timer == DesktopTimer::EditorTyping) editor_.OnTypingPause();
  if (timer == DesktopTimer::Placement) Tick();
}

void NewButtonFlow::Tick() {
  if (committing_) return;  // a message of the commit is on screen
  switch (placement_.Tick(keys_)) {
    case Placement::TickResult::kCommit:
      committing_ = true;
      // A failed commit has told the user why; the placement ends either way.
      {
        AddButtonCommand add(renderer_, editor_.design(), placement_.markerLeft(),
                             placement_.markerTop());
        session_.Run(add);  // a refusal or failure was shown to the user
      }
      placement_.End();
      committing_ = false;
      break;
    case Placement::TickResult::kNothing:
      return;
    case Placement::TickResult::kMoved:
    case Placement::TickResult::kCancelled:
      break;
  }
}

}  // namespace moravel
