#pragma once
// The road of one new button, without any windowing toolkit: the editor's
// "ОК" begins the placement over the desktop (the editor stays open, with a
// message, when the help picture cannot be shown); the placement's 100 ms
// tick reads the keys the desktop window received; Space commits the button
// at the marker, Esc cancels; either way the overlay goes. Opening the
// editor again ends a running placement first.
//
// Keys typed into other programs never reach it: the window hands over only
// its own key presses and releases, and takes the keyboard focus when the
// placement begins.
//
// Lifetime: the desktop and the renderer outlive the flow. The
// user-interface thread only.

#include <filesystem>
#include <string>

#include "desktop/Desktop.h"
#include "editor/ButtonEditorController.h"
#include "editor/ButtonFaceRenderer.h"
#include "placement/KeyLatch.h"
#include "placement/Placement.h"

namespace moravel {

class NewButtonFlow {
 public:
  // `helpPicture`: help.png beside the program.
  NewButtonFlow(Desktop& session, const ButtonFaceRenderer& renderer,
                std::filesystem::path helpPicture);
  ~NewButtonFlow();

  ButtonEditorController& editor() { return editor_; }
  const Placement& placement() const { return placement_; }

  // Before the editor is shown: a running placement ends.
  void OpenEditor();
  // A running placement ends, its overlay goes (the screen changed under it).
  void EndPlacement();
  // The editor's caption poll and typing pause (DesktopTimer::EditorCaption,
  // EditorTyping) and the placement tick (DesktopTimer::Placement); other
  // timers are not the flow's.
  void OnTimer(DesktopTimer timer);
  // The desktop window's own keys; FocusLost releases every key.
  void KeyPressed(PlacementKey key) { keys_.Press(key); }
  void KeyReleased(PlacementKey key) { keys_.Release(key); }
  void FocusLost() { keys_.ReleaseAll(); }

 private:
  Result<void> BeginPlacement();
  void Tick();

  Desktop& session_;
  const DesktopModel& state_;  // the session's, read-only
  std::filesystem::path helpPicture_;
  Placement placement_;
  KeyLatch keys_;
  const ButtonFaceRenderer& renderer_;
  ButtonEditorController editor_;
  bool committing_ = false;  // a commit (and its messages) is under way
};

}  // namespace moravel
