#include "win32/PopupMenus.h"

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

MenuChoice ChooseFromMainMenu(HWND owner, POINT at, const MainMenuState& state, bool startAtLogin) {
  HMENU menu = ::CreatePopupMenu();
  Append(menu, MenuChoice::kDesktopFiles, "Файлы рабочего стола");
  Append(menu, MenuChoice::kSkins, "Обложки...", state.skinsEnabled);
  Append(menu, MenuChoice::kAddButton, "Добавить кнопку", state.addButtonEnabled);
  Append(menu, MenuChoice::kChangeWallpaper, "Сменить фон", state.changeWallpaperEnabled);
  HMENU more = ::CreatePopupMenu();
  Append(more, MenuChoice::kUseDoubleClick, "Использовать двойной клик", true,
         state.useDoubleClickChecked);
  ::AppendMenuW(menu, MF_POPUP | (state.moreEnabled ? 0u : MF_GRAYED), UINT_PTR(more),
                WideFromUtf8("Дополнительно").c_str());
  Append(menu, MenuChoice::kStartAtLogin, "Запускать при входе в систему", true, startAtLogin);
  Append(menu, MenuChoice::kExit, "Закрыть программу");
  return Track(owner, at, menu);  // the submenu goes with its menu
}

MenuChoice ChooseFromButtonMenu(HWND owner, POINT at) {
  HMENU menu = ::CreatePopupMenu();
  Append(menu, MenuChoice::kAddButton, "Добавить кнопку");
  Append(menu, MenuChoice::kRemoveButton, "Удалить кнопку");
  return Track(owner, at, menu);
}

}  // namespace moravel
