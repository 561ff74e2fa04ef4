#pragma once
// Turns the editor's design and the chosen place into a working button:
// the next number, the three state pictures drawn from the template and
// saved, the user.ini record, the button live on the desktop at once.
//
// A button on the desktop is always a button stored, and nothing is lost by a
// crash or a full disk:
//  1. Every picture the template gives is written, each atomically, under a
//     name no record uses (StatePictureFiles.h); on a screen drawn at a
//     scale above 1, also at that scale beside it (ScaledSiblingName).
//  2. Then the record that names them, in one atomic update.
//  3. Only then the button goes on the desktop.
// When a step fails, the pictures this commit wrote are removed, a message
// names the cause (ButtonMessages.h) and nothing else changes: no button, no
// record, no gap in the numbering. The commit is refused before anything is
// written when the desktop has 500 buttons, when user.ini cannot be read,
// when the target cannot be stored in user.ini, or when the template's up
// picture cannot be read (the button would be invisible).

#include "base/Result.h"
#include "desktop/DesktopModel.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/NewButtonDesign.h"
#include "placement/ButtonMessages.h"

namespace moravel {

class NewButtonCommit {
 public:
  // Both outlive the commit.
  NewButtonCommit(DesktopModel& model, const ButtonFaceRenderer& renderer)
      : model_(model), renderer_(renderer) {}

  // Makes button count + 1 at (left, top), skin pixels. Returns its number,
  // or when refused or failed the Error whose message was shown (kNoSpace for
  // a full disk or a desktop of 500 buttons, kAccessDenied for a folder that
  // may not be written, kMalformed for a target user.ini cannot hold, kEmpty
  // for an unreadable template picture; nothing is shown before start-up).
  // The caller ends the placement afterwards.
  Result<int> CommitNewButton(const NewButtonDesign& design, int left, int top);

 private:
  // Shows `why` to the user and returns it.
  Error Refuse(Error why);

  DesktopModel& model_;
  const ButtonFaceRenderer& renderer_;
};

}  // namespace moravel
