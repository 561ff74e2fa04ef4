#pragma once
// The program's two menus as Win32 pop-up menus, opened at a screen point and
// answered with what the user chose. The texts are the program's own.

#include <windows.h>

#include "desktop/MainMenuState.h"

namespace moravel {

enum class MenuChoice {
  kNothing,
  kDesktopFiles,     // "Файлы рабочего стола"
  kSkins,            // "Обложки..."
  kAddButton,        // "Добавить кнопку"
  kChangeWallpaper,  // "Сменить фон"
  kUseDoubleClick,  // "Дополнительно" > "Использовать двойной клик"
  kStartAtLogin,  // "Запускать при входе в систему"
  kExit,          // "Закрыть программу"
  kRemoveButton,  // "Удалить кнопку" (the button menu)
};

// The main menu, its items enabled and checked as `state` and `startAtLogin`
// say. `owner` is brought to the foreground first, so that the menu closes
// when the user clicks elsewhere.
MenuChoice ChooseFromMainMenu(HWND owner, POINT at, const MainMenuState& state, bool startAtLogin);
// The button menu: "Добавить кнопку", "Удалить кнопку".
MenuChoice ChooseFromButtonMenu(HWND owner, POINT at);

}  // namespace moravel
