#pragma once
// Enabled states and the check mark of the main menu. The session changes
// them; the window reads them each time it opens the menu.

namespace moravel {

struct MainMenuState {
  bool skinsEnabled = false;            // "Обложки..."
  bool addButtonEnabled = false;        // "Добавить кнопку"
  bool changeWallpaperEnabled = false;  // "Сменить фон"
  bool moreEnabled = false;             // "Дополнительно"
  bool useDoubleClickChecked = false;   // "Использовать двойной клик"
  // "Масштаб": 0 "Автоматически", else 1..3 for "100 %" .. "300 %".
  int scaleChoice = 0;
};

}  // namespace moravel
