#include "win32/PopupMenus.h"

#include <string>

#include "platform_win32/WideText.h"

namespace moravel {

namespace {

void Append(HMENU menu, MenuChoice choice, const char* text, bool enabled = true,
            bool checked = false) {
  UINT flags = MF_STRING;
  if (!enabled) flags |= MF_GRAYED;
  if (checked) flags |= MF_CHECKED;
  ::AppendMenuW(menu, flags, UINT_PTR(choice), WideFromUtf8(text).c_str());
}

// The radio items of "Масштаб", `choice` (0..3) checked.
HMENU MakeScaleMenu(int choice) {
  HMENU menu = ::CreatePopupMenu();
  constexpr const char* kTexts[] = {"Автоматически", "100 %", "200 %", "300 %"};
  for (int i = 0; i < 4; ++i) {
    const std::wstring text = WideFromUtf8(kTexts[i]);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.fState = i == choice ? MFS_CHECKED : MFS_UNCHECKED;
    item.wID = UINT(MenuChoice::kScaleAutomatic) + UINT(i);
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    ::InsertMenuItemW(menu, UINT(i), TRUE, &item);
  }
  return menu;
}

MenuChoice Track(HWND owner, POINT at, HMENU menu) {
  ::SetForegroundWindow(owner);
  const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                      at.y, 0, owner, nullptr);
  // The menu closes properly on the next click elsewhere.
  ::PostMessageW(owner, WM_NULL, 0, 0);
  ::DestroyMenu(menu);
  return MenuChoice(chosen);
}

}  // namespace

HMENU MakeMainMenu(const MainMenuState& state, bool startAtLogin) {
  HMENU menu = ::CreatePopupMenu();
  Append(menu, MenuChoice::kDesktopFiles, "Файлы рабочего стола");
  Append(menu, MenuChoice::kSkins, "Обложки...", state.skinsEnabled);
  Append(menu, MenuChoice::kAddButton, "Добавить кнопку", state.addButtonEnabled);
  Append(menu, MenuChoice::kChangeWallpaper, "Сменить фон", state.changeWallpaperEnabled);
  ::AppendMenuW(menu, MF_POPUP, UINT_PTR(MakeScaleMenu(state.scaleChoice)),
                WideFromUtf8("Масштаб").c_str());
  HMENU more = ::CreatePopupMenu();
  Append(more, MenuChoice::kUseDoubleClick, "Использовать двойной клик", true,
         state.useDoubleClickChecked);
  ::AppendMenuW(menu, MF_POPUP | (state.moreEnabled ? 0u : MF_GRAYED), UINT_PTR(more),
                WideFromUtf8("Дополнительно").c_str());
  Append(menu, MenuChoice::kStartAtLogin, "Запускать при входе в систему", true, startAtLogin);
  Append(menu, MenuChoice::kExit, "Закрыть программу");
  return menu;  // the submenus go with it
}

MenuChoice ChooseFromMainMenu(HWND owner, POINT at, const MainMenuState& state, bool startAtLogin) {
  return Track(owner, at, MakeMainMenu(state, startAtLogin));
}

int ScaleChoiceOf(MenuChoice choice) {
  const int offset = int(choice) - int(MenuChoice::kScaleAutomatic);
  return offset >= 0 && choice <= MenuChoice::kScale300 ? offset : -1;
}

MenuChoice ChooseFromButtonMenu(HWND owner, POINT at) {
  HMENU menu = ::CreatePopupMenu();
  Append(menu, MenuChoice::kAddButton, "Добавить кнопку");
  Append(menu, MenuChoice::kRemoveButton, "Удалить кнопку");
  return Track(owner, at, menu);
}

}  // namespace moravel
