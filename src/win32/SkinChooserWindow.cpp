#include "win32/SkinChooserWindow.h"

#include "platform_win32/WideText.h"

namespace moravel {

namespace {

using C = SkinChooserController;

constexpr int kItemHeight = 13;  // pixels, each line of the list

}  // namespace

SkinChooserWindow::SkinChooserWindow(Desktop& session, HWND owner)
    : DialogWindow(owner, C::kCaption, C::kClientWidth, C::kClientHeight), controller_(session) {
  HWND list =
      AddControl(L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                 C::kSkinList, kList, bold_, WS_EX_CLIENTEDGE);
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, kItemHeight);  // after the font, which sets it too
  AddControl(L"BUTTON", C::kApplyCaption, WS_TABSTOP | BS_PUSHBUTTON, C::kApplyButton, kApply,
             bold_);
  AddControl(L"BUTTON", C::kOkCaption, WS_TABSTOP | BS_PUSHBUTTON, C::kOkButton, kOk, bold_);
  AddControl(L"BUTTON", C::kCancelCaption, WS_TABSTOP | BS_PUSHBUTTON, C::kCancelButton, kCancel,
             bold_);
  Sync();
}

void SkinChooserWindow::Present() {
  if (shown()) {
    BringForward();
    return;
  }
  const Rect screen = PrimaryScreen();
  const SIZE outer = OuterSize();
  controller_.OnShow(screen.width, screen.height, outer.cx, outer.cy);
  Sync();
}

void SkinChooserWindow::Command(int id, int code) {
  switch (id) {
    case kList:
      if (code == LBN_SELCHANGE) {
        const LRESULT row = ::SendMessageW(control(kList), LB_GETCURSEL, 0, 0);
        if (row != LB_ERR) controller_.OnSkinClicked(int(row));
      } else if (code == LBN_DBLCLK) {
        controller_.OnSkinDoubleClicked();
      }
      break;
    case kApply:
      controller_.OnApply();
      break;
    case kOk:
      controller_.OnOk();
      break;
    case kCancel:
      controller_.OnCancel();
      break;
    default:
      return;
  }
  Sync();
}

void SkinChooserWindow::CloseAsked() {
  controller_.OnCancel();
  Sync();
}

void SkinChooserWindow::Sync() {
  HWND list = control(kList);
  if (listed_ != controller_.items()) {
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : controller_.items())
      ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(WideFromUtf8(name).c_str()));
    listed_ = controller_.items();
  }
  // Also puts back a selection the list changed on its own.
  const std::optional<int> row = controller_.selected();
  ::SendMessageW(list, LB_SETCURSEL, WPARAM(row ? *row : -1), 0);
  ::EnableWindow(control(kApply), controller_.applyEnabled());
  ::EnableWindow(control(kOk), controller_.okEnabled());
  // The controller places the dialog only as it is shown; the user may move
  // it while it stays open.
  if (controller_.visible() && !shown()) {
    const Rect screen = PrimaryScreen();
    ShowAt(screen.x + controller_.left(), screen.y + controller_.top());
  } else if (!controller_.visible() && shown()) {
    Hide();
  }
}

}  // namespace moravel
