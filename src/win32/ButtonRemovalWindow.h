#pragma once
// The removal dialog "Удаление кнопки!" on Windows: "Удалить эту кнопку?"
// with "Ок" and "Отмена". "Ок" runs the removal it was given (the button
// selected at that moment goes), then hides; "Отмена", Escape and the close
// button only hide.

#include <functional>

#include "win32/DialogWindow.h"

namespace moravel {

class ButtonRemovalWindow : public DialogWindow {
 public:
  enum : int { kQuestion = 100, kOk = IDOK, kCancel = IDCANCEL };

  // `remove` runs on "Ок". `owner`: the program's hidden main window, or
  // null.
  ButtonRemovalWindow(std::function<void()> remove, HWND owner);

  // Shows the dialog centred on the primary monitor, or brings it forward
  // when shown.
  void Present();

 private:
  void Command(int id, int code) override;
  void CloseAsked() override { Hide(); }

  std::function<void()> remove_;
  DialogFont bold_{8, true};
};

}  // namespace moravel
