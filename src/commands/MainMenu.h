#pragma once
// The main menu: "Файлы рабочего стола", "Обложки...",
// "Добавить кнопку", "Сменить фон", "Дополнительно" with the check item
// "Использовать двойной клик", "Закрыть программу". Each time it opens it
// takes its enabled states and the check mark from the session; the commands
// go to the session. The session must outlive the menu.

#include <QMenu>

namespace moravel {

class DesktopSession;

class MainMenu : public QMenu {
  Q_OBJECT
 public:
  explicit MainMenu(DesktopSession& session, QWidget* parent = nullptr);

  // Reads the session's menu state into the items (also done on aboutToShow).
  void refresh();

 signals:
  // The items whose dialogs belong to the window.
  void skinsChosen();            // "Обложки..."
  void changeWallpaperChosen();  // "Сменить фон"
  void addButtonChosen();        // "Добавить кнопку"

 private:
  DesktopSession& session_;
  QAction* skins_;
  QAction* addButton_;
  QAction* changeWallpaper_;
  QMenu* more_;
  QAction* useDoubleClick_;
};

}  // namespace moravel
