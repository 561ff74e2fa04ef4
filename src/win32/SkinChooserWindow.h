#pragma once
// The skin chooser "Выберите обложку" on Windows: the list of skin folders
// with "Применить", "OK" and "Отмена", a thin view over SkinChooserController.
// Each event goes to the controller's handler of that event, then every
// control is set from the controller's state (items, selection, enabled
// buttons, whether it is shown and where). Captions and geometry come from
// the controller.
//
// Lifetime: the desktop outlives the dialog.

#include <string>
#include <vector>

#include "desktop/SkinChooserController.h"
#include "win32/DialogWindow.h"

namespace moravel {

class Desktop;

class SkinChooserWindow : public DialogWindow {
 public:
  // The controls' ids.
  enum : int { kList = 100, kApply = 101, kOk = IDOK, kCancel = IDCANCEL };

  // `owner`: the program's hidden main window, or null.
  SkinChooserWindow(Desktop& session, HWND owner);

  // "Обложки...": when hidden, lists the skins afresh and shows the dialog
  // centred on the primary monitor; when shown, only brings it forward.
  void Present();

  const SkinChooserController& controller() const { return controller_; }

 private:
  void Command(int id, int code) override;
  void CloseAsked() override;
  // Sets every control from the controller's state.
  void Sync();

  SkinChooserController controller_;
  DialogFont bold_{8, true};
  std::vector<std::string> listed_;  // what the list box shows
};

}  // namespace moravel
