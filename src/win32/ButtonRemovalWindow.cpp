#include "win32/ButtonRemovalWindow.h"

namespace moravel {

namespace {

constexpr int kClientWidth = 226, kClientHeight = 100;

}  // namespace

ButtonRemovalWindow::ButtonRemovalWindow(std::function<void()> remove, HWND owner)
    : DialogWindow(owner, "Удаление кнопки!", kClientWidth, kClientHeight),
      remove_(std::move(remove)) {
  AddControl(L"STATIC", "Удалить эту кнопку?", SS_CENTER | SS_NOPREFIX, {33, 30, 160, 13},
             kQuestion, bold_);
  AddControl(L"BUTTON", "Ок", WS_TABSTOP | BS_DEFPUSHBUTTON, {33, 65, 75, 25}, kOk, bold_);
  AddControl(L"BUTTON", "Отмена", WS_TABSTOP | BS_PUSHBUTTON, {118, 65, 75, 25}, kCancel, bold_);
}

void ButtonRemovalWindow::Present() {
  if (!shown()) {
    // Centred by the size of its client area, the frame left out.
    const Rect screen = PrimaryScreen();
    ShowAt(screen.x + screen.width / 2 - kClientWidth / 2,
           screen.y + screen.height / 2 - kClientHeight / 2);
  }
  BringForward();
}

void ButtonRemovalWindow::Command(int id, int) {
  if (id == kOk) {
    remove_();
    Hide();
  } else if (id == kCancel) {
    Hide();
  }
}

}  // namespace moravel
