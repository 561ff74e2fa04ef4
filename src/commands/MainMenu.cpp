#include "commands/MainMenu.h"

#include "desktop/DesktopSession.h"

namespace moravel {

MainMenu::MainMenu(DesktopSession& session, QWidget* parent) : QMenu(parent), session_(session) {
  QAction* desktopFiles = addAction(QStringLiteral("Файлы рабочего стола"));
  connect(desktopFiles, &QAction::triggered, this, [this] { session_.OpenDesktopFiles(); });

  // The window opens the skin chooser and the wallpaper dialog; the button
  // editor comes later, until then "Добавить кнопку" opens nothing.
  skins_ = addAction(QStringLiteral("Обложки..."));
  connect(skins_, &QAction::triggered, this, &MainMenu::skinsChosen);
  addButton_ = addAction(QStringLiteral("Добавить кнопку"));
  connect(addButton_, &QAction::triggered, this, &MainMenu::addButtonChosen);
  changeWallpaper_ = addAction(QStringLiteral("Сменить фон"));
  connect(changeWallpaper_, &QAction::triggered, this, &MainMenu::changeWallpaperChosen);

  more_ = addMenu(QStringLiteral("Дополнительно"));
  useDoubleClick_ = more_->addAction(QStringLiteral("Использовать двойной клик"));
  useDoubleClick_->setCheckable(true);
  connect(useDoubleClick_, &QAction::triggered, this, [this] {
    session_.ToggleDoubleClick();
    refresh();
  });

  QAction* exit = addAction(QStringLiteral("Закрыть программу"));
  // Queued: the menu finishes closing before the window and the program end.
  connect(
      exit, &QAction::triggered, this, [this] { session_.Exit(); }, Qt::QueuedConnection);

  connect(this, &QMenu::aboutToShow, this, &MainMenu::refresh);
  refresh();
}

void MainMenu::refresh() {
  const MainMenuState& state = session_.menu();
  skins_->setEnabled(state.skinsEnabled);
  addButton_->setEnabled(state.addButtonEnabled);
  changeWallpaper_->setEnabled(state.changeWallpaperEnabled);
  more_->menuAction()->setEnabled(state.moreEnabled);
  useDoubleClick_->setChecked(state.useDoubleClickChecked);
}

}  // namespace moravel
