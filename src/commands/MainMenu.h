#pragma once
// The main menu: "Файлы рабочего стола", "Обложки...",
// "Добавить кнопку", "Сменить фон", "Масштаб" with the radio items
// "Автоматически", "100 %", "200 %", "300 %", "Дополнительно" with the check item
// "Использовать двойной клик", the check item "Запускать при входе в систему",
// "Закрыть программу". Each time it opens it takes its enabled states and the
// double-click mark from the desktop, and the login mark from the autostart
// entry: checked while the entry starts this program's own file. The commands
// go to the desktop; the login item writes or removes the entry and then shows
// what the file says, so a failed write leaves it unchecked. The desktop must
// outlive the menu.

#include <QMenu>
#include <array>
#include <filesystem>

#include "platform/AutostartEntry.h"

namespace moravel {

class Desktop;

class MainMenu : public QMenu {
  Q_OBJECT
 public:
  // The login item uses the entry of this process's environment and
  // QCoreApplication::applicationFilePath().
  explicit MainMenu(Desktop& session, QWidget* parent = nullptr);
  // The login item uses `autostart` (its environment must outlive the menu)
  // and `program` (an absolute path).
  MainMenu(Desktop& session, const AutostartEntry& autostart, std::filesystem::path program,
           QWidget* parent = nullptr);

  // Reads the desktop's menu state and the autostart entry into the items
  // (also done on aboutToShow).
  void refresh();

 signals:
  // The items whose dialogs belong to the window.
  void skinsChosen();            // "Обложки..."
  void changeWallpaperChosen();  // "Сменить фон"
  void addButtonChosen();        // "Добавить кнопку"

 private:
  void toggleStartAtLogin();

  Desktop& session_;
  AutostartEntry autostart_;
  std::filesystem::path program_;
  QAction* skins_;
  QAction* addButton_;
  QAction* changeWallpaper_;
  std::array<QAction*, 4> scaleChoices_{};  // "Автоматически", "100 %" .. "300 %"
  QMenu* more_;
  QAction* useDoubleClick_;
  QAction* startAtLogin_;
};

}  // namespace moravel
