#include "commands/MainMenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <algorithm>

#include "desktop/Desktop.h"
#include "platform/ProcessEnvironment.h"

namespace moravel {
namespace {

// Reads the variables at each call, so one copy serves every menu.
const Environment& ThisProcess() {
  static const ProcessEnvironment environment;
  return environment;
}

}  // namespace

MainMenu::MainMenu(Desktop& session, QWidget* parent)
    : MainMenu(session, AutostartEntry(ThisProcess()),
               QCoreApplication::applicationFilePath().toStdString(), parent) {}

MainMenu::MainMenu(Desktop& session, const AutostartEntry& autostart, std::filesystem::path program,
                   QWidget* parent)
    : QMenu(parent), session_(session), autostart_(autostart), program_(std::move(program)) {
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

  QMenu* scale = addMenu(QStringLiteral("Масштаб"));
  auto* scales = new QActionGroup(scale);  // one checked at a time
  const QString names[] = {QStringLiteral("Автоматически"), QStringLiteral("100 %"),
                           QStringLiteral("200 %"), QStringLiteral("300 %")};
  for (int choice = 0; choice < int(scaleChoices_.size()); ++choice) {
    QAction* item = scale->addAction(names[choice]);
    item->setCheckable(true);
    scales->addAction(item);
    scaleChoices_[size_t(choice)] = item;
    connect(item, &QAction::triggered, this, [this, choice] {
      session_.ChooseScale(choice);
      refresh();
    });
  }

  more_ = addMenu(QStringLiteral("Дополнительно"));
  useDoubleClick_ = more_->addAction(QStringLiteral("Использовать двойной клик"));
  useDoubleClick_->setCheckable(true);
  connect(useDoubleClick_, &QAction::triggered, this, [this] {
    session_.ToggleDoubleClick();
    refresh();
  });

  startAtLogin_ = addAction(QStringLiteral("Запускать при входе в систему"));
  startAtLogin_->setCheckable(true);
  connect(startAtLogin_, &QAction::triggered, this, &MainMenu::toggleStartAtLogin);

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
  scaleChoices_[size_t(std::clamp(state.scaleChoice, 0, int(scaleChoices_.size()) - 1))]
      ->setChecked(true);
  startAtLogin_->setChecked(autostart_.PointsAt(program_));
}

void MainMenu::toggleStartAtLogin() {
  // The click has flipped the mark to what the user asks for; refresh then
  // shows what the file says, so a failure takes the mark back.
  if (startAtLogin_->isChecked())
    autostart_.Enable(program_);
  else
    autostart_.Disable();
  refresh();
}

}  // namespace moravel
