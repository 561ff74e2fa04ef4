#include "win32/ButtonEditorWindow.h"

// The shell header needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform_win32/WideText.h"
#include "raster/ServerWords.h"
#include "win32/OpenFileDialog.h"
#include "win32/OverCheckerboard.h"

namespace moravel {

namespace {

using C = ButtonEditorController;

constexpr int kItemHeight = 13;  // pixels, each line of the template list

// `at`, given in the group box at `group`, in the client area.
Rect InGroup(const Rect& group, const Rect& at) {
  return {group.x + at.x, group.y + at.y, at.width, at.height};
}

// The first file of a drop, if any.
std::optional<std::filesystem::path> FirstDropped(HDROP drop) {
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length, L'\0');
    if (length > 0 && ::DragQueryFileW(drop, i, name.data(), length + 1) == length)
      return std::filesystem::path(name);
  }
  return std::nullopt;
}

}  // namespace

ButtonEditorWindow::ButtonEditorWindow(ButtonEditorController& controller, HWND owner)
    : DialogWindow(owner, C::kCaption, C::kClientWidth, C::kClientHeight, WS_EX_ACCEPTFILES),
      controller_(controller),
      chooseFile_([](HWND over) { return AskForFileToOpen(over); }) {
  // Created in the order of the keyboard's Tab.
  AddControl(L"STATIC", C::kTemplatesTitle, SS_LEFT | SS_NOPREFIX, C::kTemplatesTitleAt, 0, large_);
  HWND list = AddControl(L"LISTBOX", "", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                         C::kTemplateList, kTemplates, bold_, WS_EX_CLIENTEDGE);
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, kItemHeight);  // after the font, which sets it too
  AddActionGroup();
  AddIconGroup();
  AddControl(L"STATIC", C::kCaptionLabel, WS_GROUP | SS_LEFT | SS_NOPREFIX, C::kCaptionLabelAt, 0,
             bold_);
  AddControl(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, C::kCaptionEdit, kCaption, plain_,
             WS_EX_CLIENTEDGE);
  AddControl(L"STATIC", "", SS_OWNERDRAW, {C::kPreviewLeft, C::kPreviewTop, 0, 0}, kPreview,
             plain_);
  AddControl(L"BUTTON", C::kOkCaption, WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, C::kOkButton, kOk,
             large_);
  AddControl(L"BUTTON", C::kCancelCaption, WS_TABSTOP | BS_PUSHBUTTON, C::kCancelButton, kCancel,
             large_);
  Refresh();
}

void ButtonEditorWindow::AddActionGroup() {
  const Rect& group = C::kActionGroup;
  AddControl(L"BUTTON", C::kActionTitle, WS_GROUP | BS_GROUPBOX, group, 0, large_);
  AddControl(L"EDIT", "", WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, InGroup(group, C::kTargetEdit),
             kTarget, plain_, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", C::kBrowseCaption, WS_TABSTOP | BS_PUSHBUTTON,
             InGroup(group, C::kBrowseTarget), kBrowseTarget, large_);
  // One group of radio buttons, from the first (WS_GROUP) to the next group.
  for (size_t i = 0; i < C::kActionChoices.size(); ++i) {
    const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    AddControl(L"BUTTON", C::kActionChoices[i].caption, first | BS_RADIOBUTTON,
               InGroup(group, C::kActionChoices[i].at), kFirstAction + int(i), bold_);
  }
}

void ButtonEditorWindow::AddIconGroup() {
  const Rect& group = C::kIconGroup;
  AddControl(L"BUTTON", C::kIconsTitle, WS_GROUP | BS_GROUPBOX, group, 0, large_);
  for (size_t i = 0; i < C::kIconModeChoices.size(); ++i) {
    const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    AddControl(L"BUTTON", C::kIconModeChoices[i].caption, first | BS_RADIOBUTTON,
               InGroup(group, C::kIconModeChoices[i].at), kFirstIconMode + int(i), bold_);
  }
  AddControl(L"EDIT", "", WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, InGroup(group, C::kIconEdit),
             kIcon, plain_, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", C::kBrowseCaption, WS_TABSTOP | BS_PUSHBUTTON,
             InGroup(group, C::kBrowseIcon), kBrowseIcon, large_);
}

void ButtonEditorWindow::Present() {
  if (shown()) {
    BringForward();
    return;
  }
  controller_.OnShow();
  Refresh();
}

void ButtonEditorWindow::DropPath(const std::filesystem::path& path) {
  controller_.OnDropped(path);
  Refresh();
  BringForward();
}

void ButtonEditorWindow::Command(int id, int code) {
  if (id >= kFirstAction && id < kFirstAction + int(C::kActionChoices.size())) {
    controller_.OnActionChosen(C::kActionChoices[size_t(id - kFirstAction)].action);
  } else if (id >= kFirstIconMode && id < kFirstIconMode + int(C::kIconModeChoices.size())) {
    controller_.OnIconModeChosen(C::kIconModeChoices[size_t(id - kFirstIconMode)].mode);
  } else {
    switch (id) {
      case kTemplates: {
        // Sent for every click, also on the template already selected: it is
        // picked again.
        const LRESULT row = ::SendMessageW(control(kTemplates), LB_GETCURSEL, 0, 0);
        if (code != LBN_SELCHANGE || row == LB_ERR) return;
        controller_.OnTemplateChosen(int(row));
        break;
      }
      case kTarget:
      case kIcon:
      case kCaption: {
        // Typing is stored; the controller's timers take it.
        if (code != EN_CHANGE || refreshing_) return;
        std::string text = TextOf(control(id));
        if (id == kTarget) {
          controller_.OnTargetEdited(std::move(text));
        } else if (id == kIcon) {
          controller_.OnIconEdited(std::move(text));
        } else {
          controller_.OnCaptionEdited(std::move(text));
        }
        return;
      }
      case kBrowseTarget:
        controller_.OnBrowseTarget(chooseFile_(handle()));
        break;
      case kBrowseIcon:
        controller_.OnBrowseIcon(chooseFile_(handle()));
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
  }
  Refresh();
}

void ButtonEditorWindow::CloseAsked() {
  controller_.OnCancel();
  Refresh();
}

bool ButtonEditorWindow::Handle(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
  if (message == WM_DROPFILES) {
    const auto drop = reinterpret_cast<HDROP>(w);
    const std::optional<std::filesystem::path> path = FirstDropped(drop);
    ::DragFinish(drop);
    if (path) DropPath(*path);
    result = 0;
    return true;
  }
  if (message == WM_DRAWITEM && w == kPreview) {
    DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    result = TRUE;
    return true;
  }
  return false;
}

void ButtonEditorWindow::Refresh() {
  refreshing_ = true;
  HWND list = control(kTemplates);
  if (listed_ != controller_.templateNames()) {
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : controller_.templateNames())
      ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(WideFromUtf8(name).c_str()));
    listed_ = controller_.templateNames();
  }
  const std::optional<int> row = controller_.selected();
  ::SendMessageW(list, LB_SETCURSEL, WPARAM(row ? *row : -1), 0);
  SetText(control(kTarget), controller_.targetText());
  SetText(control(kIcon), controller_.iconText());
  SetText(control(kCaption), controller_.captionBoxText());
  for (size_t i = 0; i < C::kActionChoices.size(); ++i) {
    const bool chosen = C::kActionChoices[i].action == controller_.action();
    ::SendMessageW(control(kFirstAction + int(i)), BM_SETCHECK, chosen ? BST_CHECKED : 0, 0);
  }
  for (size_t i = 0; i < C::kIconModeChoices.size(); ++i) {
    const bool chosen = C::kIconModeChoices[i].mode == controller_.iconMode();
    ::SendMessageW(control(kFirstIconMode + int(i)), BM_SETCHECK, chosen ? BST_CHECKED : 0, 0);
  }
  ::EnableWindow(control(kCaption), controller_.captionEnabled());
  ::EnableWindow(control(kOk), controller_.okEnabled());
  ShowPreview();

  const C::Layout& layout = controller_.layout();
  SetClientSize(layout.clientWidth, layout.clientHeight);
  ::SetWindowPos(list, nullptr, 0, 0, C::kTemplateList.width, layout.listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(control(kOk), nullptr, C::kOkButton.x, layout.buttonsTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(control(kCancel), nullptr, C::kCancelButton.x, layout.buttonsTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  refreshing_ = false;

  if (controller_.visible() && !shown()) {
    const Rect screen = PrimaryScreen();
    const SIZE outer = OuterSize();
    ShowAt(screen.x + screen.width / 2 - outer.cx / 2, screen.y + screen.height / 2 - outer.cy / 2);
  } else if (!controller_.visible() && shown()) {
    Hide();
  }
}

void ButtonEditorWindow::ShowPreview() {
  HWND preview = control(kPreview);
  const Bitmap& picture = controller_.preview();
  if (picture.empty()) {
    ::ShowWindow(preview, SW_HIDE);
    ::SetWindowPos(preview, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    previewShown_ = {};
    previewPixels_ = {};
    return;
  }
  if (!(picture == previewShown_)) {
    previewShown_ = picture;
    previewPixels_ = OverCheckerboard(picture, kCheckerSquare);
    ToCommonServerWords(previewPixels_.data(), previewPixels_.data(),
                        previewPixels_.width() * previewPixels_.height());
    ::SetWindowPos(preview, nullptr, 0, 0, picture.width(), picture.height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(preview, nullptr, FALSE);
  }
  ::ShowWindow(preview, SW_SHOWNA);
}

void ButtonEditorWindow::DrawPreview(const DRAWITEMSTRUCT& item) const {
  if (previewPixels_.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = previewPixels_.width();
  info.bmiHeader.biHeight = -previewPixels_.height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(item.hDC, 0, 0, DWORD(previewPixels_.width()), DWORD(previewPixels_.height()),
                      0, 0, 0, UINT(previewPixels_.height()), previewPixels_.data(), &info,
                      DIB_RGB_COLORS);
}

}  // namespace moravel
