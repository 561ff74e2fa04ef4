#pragma once
// Removes the button the pointer last selected (a right or middle click),
// keeping the buttons numbered without gaps: the last button takes over the
// freed number and stays where it is on the desktop.
//
// Nothing is lost by a crash or a full disk, and every button looks and acts
// after a restart as before the removal:
//  1. When the last button shows its own pictures (temp\freebutton<L>_*),
//     they are written under the freed number's names first, each file
//     atomically; a button showing pictures of the skin keeps naming them.
//  2. Then user.ini changes in one atomic update: the last button's record
//     (with its "image") replaces the removed one's, and its own section goes.
//  3. Last, picture files that no record names any more are deleted.
// A failed write stops the removal before the record changes; the desktop
// and user.ini stay as they were.

#include "desktop/DesktopModel.h"

namespace moravel {

class ButtonRemoval {
 public:
  explicit ButtonRemoval(DesktopModel& model) : model_(model) {}  // model outlives this

  // Removes button `SelectedButton`; false (nothing changed) when no button
  // is selected or a write failed.
  bool RemoveSelectedButton();

 private:
  DesktopModel& model_;
};

}  // namespace moravel
