// The main menu and the button menu of a started desktop window: captions,
// order, enabled states and the check marks, and what their items do.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MouseInput.h"
#include "ProgramFolder.h"
#include "TestApplication.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "commands/ButtonEditorDialog.h"
#include "commands/ButtonMenu.h"
#include "commands/MainMenu.h"
#include "desktop/Desktop.h"
#include "platform/DesktopEntry.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using Captions = std::vector<std::string>;

Captions CaptionsOf(const QMenu& menu) {
  Captions captions;
  for (const QAction* a : menu.actions()) captions.push_back(a->text().toStdString());
  return captions;
}

class MenusTest : public ::testing::Test {
 protected:
  explicit MenusTest(bool doubleClick = false)
      : app_(TestApplication()),
        folder(doubleClick),
        program({.launcher = launcher,
                 .clock = clock,
                 .programFolder = folder.root(),
                 .geometry = QRect(0, 0, 400, 300)}),
        window(program.window()) {}

  QAction* item(int index) { return program.mainMenu().actions().at(index); }
  QAction* doubleClickItem() { return item(5)->menu()->actions().at(0); }

  QApplication& app_;
  RecordingLauncher launcher;
  FakeClock clock;
  ProgramFolder folder;
  Program program;
  MainWindow& window;
};

TEST_F(MenusTest, MainMenuHasItsItemsInOrderWithTheCheckItemInItsSubmenu) {
  program.start();
  EXPECT_EQ(
      CaptionsOf(program.mainMenu()),
      (Captions{"Файлы рабочего стола", "Обложки...", "Добавить кнопку", "Сменить фон", "Масштаб",
                "Дополнительно", "Запускать при входе в систему", "Закрыть программу"}));
  QMenu* scale = item(4)->menu();
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(CaptionsOf(*scale), (Captions{"Автоматически", "100 %", "200 %", "300 %"}));
  QMenu* more = item(5)->menu();
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(CaptionsOf(*more), Captions{"Использовать двойной клик"});
  EXPECT_TRUE(doubleClickItem()->isCheckable());
  for (int i : {0, 1, 2, 3, 6, 7}) EXPECT_EQ(item(i)->menu(), nullptr) << i;
}

TEST_F(MenusTest, BeforeTheSceneIsBuiltOnlyDesktopFilesLoginAndCloseAreEnabled) {
  program.mainMenu().refresh();
  std::vector<bool> enabled;
  for (const QAction* a : program.mainMenu().actions()) enabled.push_back(a->isEnabled());
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, false, true, false, true, true}));
}

TEST_F(MenusTest, OpeningTheMenuAfterStartShowsEveryItemEnabledAndTheSkinsMode) {
  program.start();
  program.mainMenu().popup(QPoint(10, 10));  // aboutToShow reads the session
  for (const QAction* a : program.mainMenu().actions())
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
  EXPECT_FALSE(doubleClickItem()->isChecked());  // the fixture's dc=0
  program.mainMenu().close();
}

TEST_F(MenusTest, TheCheckItemTogglesTheModeAndTheSkinRemembersIt) {
  program.start();
  doubleClickItem()->trigger();
  EXPECT_TRUE(program.session().menu().useDoubleClickChecked);
  EXPECT_TRUE(doubleClickItem()->isChecked());
  EXPECT_NE(folder.read("skins/test/config.ini").find("dc=1"), std::string::npos);

  doubleClickItem()->trigger();
  EXPECT_FALSE(doubleClickItem()->isChecked());
  EXPECT_NE(folder.read("skins/test/config.ini").find("dc=0"), std::string::npos);
}

TEST_F(MenusTest, AScaleItemAppliesAtOnceIsKeptAndIsTheOneChecked) {
  program.start();
  const QList<QAction*> scales = item(4)->menu()->actions();
  EXPECT_TRUE(scales[0]->isChecked());  // automatic at first
  scales[2]->trigger();                 // "200 %"
  EXPECT_EQ(program.session().monitors().front().scale, 2);
  EXPECT_TRUE(scales[2]->isChecked());
  EXPECT_FALSE(scales[0]->isChecked());
  EXPECT_NE(folder.read("data.ini").find("scale=2"), std::string::npos);
  scales[0]->trigger();
  EXPECT_EQ(program.session().monitors().front().scale, 1);  // the screen publishes 1
}

// XDG_CONFIG_HOME of this process names a scratch folder while this lives.
struct ScratchConfigHome {
  ScratchConfigHome() {
    if (const char* value = std::getenv("XDG_CONFIG_HOME")) old = value;
    setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  }
  ~ScratchConfigHome() {
    if (old.empty())  // unset and empty mean the same
      unsetenv("XDG_CONFIG_HOME");
    else
      setenv("XDG_CONFIG_HOME", old.c_str(), 1);
  }
  std::string old;
  test::TempFolder folder;
};

TEST_F(MenusTest, TheLoginItemWritesTheAutostartEntryAndItsMarkFollowsTheFile) {
  ScratchConfigHome config;
  const std::filesystem::path entry = config.folder / "autostart" / "moravel.desktop";
  QAction* login = item(6);
  ASSERT_TRUE(login->isCheckable());
  login->trigger();
  EXPECT_TRUE(login->isChecked());
  const auto written = ReadDesktopEntry(entry.string(), "");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->exec,
            std::vector<std::string>{QCoreApplication::applicationFilePath().toStdString()});

  std::filesystem::remove(entry);
  program.mainMenu().popup(QPoint(10, 10));  // aboutToShow reads the file again
  EXPECT_FALSE(login->isChecked());
  program.mainMenu().close();

  // A file where the autostart folder belongs: the write fails, no mark.
  std::filesystem::remove_all(entry.parent_path());
  std::ofstream(entry.parent_path()) << "x";
  login->trigger();
  EXPECT_FALSE(login->isChecked());
}

TEST_F(MenusTest, DesktopFilesOpensTheDesktopFolder) {
  program.start();
  item(0)->trigger();
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, RecordingLauncher::Kind::SpecialFolder);
  EXPECT_EQ(launcher.calls[0].shellNumber, 0);
}

TEST_F(MenusTest, AddButtonInEitherMenuOpensTheEditor) {
  program.start();
  EXPECT_TRUE(program.session().menu().addButtonEnabled);
  program.mainMenu().refresh();
  item(2)->trigger();
  EXPECT_TRUE(program.buttonEditor().isVisible());
  program.buttonEditor().hide();
  program.buttonMenu().actions().at(0)->trigger();
  EXPECT_TRUE(program.buttonEditor().isVisible());
  program.buttonMenu().actions().at(1)->trigger();  // removal: nothing yet
  EXPECT_TRUE(launcher.calls.empty());
  program.buttonEditor().hide();
}

TEST_F(MenusTest, CloseTheProgramEndsTheSessionAndClosesTheWindow) {
  program.start();
  window.show();
  bool closed = false;
  QObject::connect(&window, &MainWindow::closed, [&] { closed = true; });
  item(7)->trigger();
  EXPECT_TRUE(mouse::WaitUntil([&] { return closed; }));
  EXPECT_TRUE(program.session().MayClose());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MenusTest, ButtonMenuHasAddAndRemove) {
  EXPECT_EQ(CaptionsOf(program.buttonMenu()), (Captions{"Добавить кнопку", "Удалить кнопку"}));
}

}  // namespace
}  // namespace moravel
