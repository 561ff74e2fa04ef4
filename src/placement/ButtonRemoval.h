#pragma once
// Removes a button (the one the pointer last selected, by a right or middle
// click, when the user asks), keeping the buttons numbered without gaps: the last button takes over
// the freed number and stays where it is on the desktop.
//
// Nothing is lost by a crash or a full disk, and every button looks and acts
// after a restart as before the removal; a kill at any moment never leaves a
// record naming another button's pictures:
//  1. When the last button shows pictures the program made for it
//     (temp\freebutton..., StatePictureFiles.h), they are copied with their
//     scaled siblings, each file atomically, under a fresh name that no
//     record uses; a button showing
//     pictures of the skin keeps naming them.
//  2. Then user.ini changes in one atomic update: the last button's record
//     (with its new "image") replaces the removed one's, and its own section
//     goes.
//  3. Last, the made pictures of the removed button, the old ones of the
//     moved button and any under the usual names of the two numbers are
//     deleted, unless a record still names them.
// A failed write stops the removal before the record changes, removes the
// copies and shows a message; the desktop and user.ini stay as they were.

#include "base/Result.h"
#include "desktop/DesktopModel.h"

namespace moravel {

class ButtonRemoval {
 public:
  explicit ButtonRemoval(DesktopModel& model) : model_(model) {}  // model outlives this

  // Removes button `number` (from 1). Nothing changes when there is no such
  // button (kNotFound, nothing shown), user.ini cannot be read or a write
  // failed; the error then holds the message shown (kAccessDenied,
  // kNoSpace, ... as the write failed).
  Result<void> RemoveButton(int number);

 private:
  DesktopModel& model_;
};

}  // namespace moravel
