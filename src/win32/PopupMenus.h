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
  // "Масштаб" > "Автоматически", "100 %", "200 %", "300 %": in this order,
  // one after another (ScaleChoiceOf).
  kScaleAutomatic,
  kScale100,
  kScale200,
  kScale300,
  kUseDoubleClick,  // "Дополнительно" > "Использовать двойной клик"
  kStartAtLogin,  // "Запускать при входе в систему"
  kExit,          // "Закрыть программу"
  kRemoveButton,  // "Удалить кнопку" (the button menu)
};

// The main menu, its items enabled and checked as `state` and `startAtLogin`
// say; each item's command id is its MenuChoice. The caller destroys it.
HMENU MakeMainMenu(const MainMenuState& state, bool startAtLogin);
// MakeMainMenu's menu opened at screen (x, y), in the calling thread's pixels.
// `owner` is brought to the foreground first, so that the menu closes when
// the user clicks elsewhere.
MenuChoice ChooseFromMainMenu(HWND owner, POINT at, const MainMenuState& state, bool startAtLogin);
// The "Масштаб" item's choice for Desktop::ChooseScale (0 automatic, 1..3);
// -1 for any other item.
int ScaleChoiceOf(MenuChoice choice);
// The button menu: "Добавить кнопку", "Удалить кнопку".
MenuChoice ChooseFromButtonMenu(HWND owner, POINT at);

}  // namespace moravel
