#pragma once
// What the desktop window forwards, handed on the same way by every front
// end: pointer input to the desktop (a press while a new button is being
// placed first takes the keyboard back to the window), the window's own keys
// and the loss of its focus to the new-button flow, and a dropped file to
// the button editor, which the front end shows (`openEditorWith`).
//
// Lifetime: the desktop, the flow and the window port outlive it. The
// user-interface thread only.

#include <filesystem>
#include <functional>

#include "desktop/Desktop.h"
#include "placement/NewButtonFlow.h"
#include "placement/WindowEvents.h"

namespace moravel {

class DesktopInput : public WindowEvents {
 public:
  using OpenEditorWith = std::function<void(const std::filesystem::path& file)>;
  // `window`: the port the desktop was given (TakeKeyboardFocus).
  DesktopInput(Desktop& desktop, NewButtonFlow& flow, DesktopWindowPort& window,
               OpenEditorWith openEditorWith)
      : desktop_(desktop),
        flow_(flow),
        window_(window),
        openEditorWith_(std::move(openEditorWith)) {}

  void Pointer(const PointerEvent& event) override;
  void Key(PlacementKey key, bool pressed) override;
  void FocusLost() override { flow_.FocusLost(); }
  // The editor opens (a running placement ends) with the file as its target.
  void FileDropped(const std::filesystem::path& file) override;
  bool MayClose() const override { return desktop_.MayClose(); }

 private:
  Desktop& desktop_;
  NewButtonFlow& flow_;
  DesktopWindowPort& window_;
  OpenEditorWith openEditorWith_;
};

}  // namespace moravel
