// The main menu and the button menu of a started desktop window: captions,
// order, enabled states and the check mark, and what their items do.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <algorithm>
#include <string>
#include <vector>

#include "MouseInput.h"
#include "ProgramFolder.h"
#include "TestApplication.h"
#include "app/MainWindow.h"
#include "commands/ButtonEditorDialog.h"
#include "commands/ButtonMenu.h"
#include "commands/MainMenu.h"
#include "desktop/DesktopSession.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"

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
        window({.launcher = launcher,
                .clock = clock,
                .programFolder = folder.root(),
                .geometry = QRect(0, 0, 400, 300)}) {}

  QAction* item(int index) { return window.mainMenu().actions().at(index); }
  QAction* doubleClickItem() { return item(4)->menu()->actions().at(0); }

  QApplication& app_;
  RecordingLauncher launcher;
  FakeClock clock;
  ProgramFolder folder;
  MainWindow window;
};

TEST_F(MenusTest, MainMenuHasItsItemsInOrderWithTheCheckItemInItsSubmenu) {
  window.start();
  EXPECT_EQ(CaptionsOf(window.mainMenu()),
            (Captions{"Файлы рабочего стола", "Обложки...", "Добавить кнопку", "Сменить фон",
                      "Дополнительно", "Закрыть программу"}));
  QMenu* more = item(4)->menu();
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(CaptionsOf(*more), Captions{"Использовать двойной клик"});
  EXPECT_TRUE(doubleClickItem()->isCheckable());
  for (int i : {0, 1, 2, 3, 5}) EXPECT_EQ(item(i)->menu(), nullptr) << i;
}

TEST_F(MenusTest, BeforeTheSceneIsBuiltOnlyDesktopFilesAndCloseAreEnabled) {
  window.mainMenu().refresh();
  std::vector<bool> enabled;
  for (const QAction* a : window.mainMenu().actions()) enabled.push_back(a->isEnabled());
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, false, false, true}));
}

TEST_F(MenusTest, OpeningTheMenuAfterStartShowsEveryItemEnabledAndTheSkinsMode) {
  window.start();
  window.mainMenu().popup(QPoint(10, 10));  // aboutToShow reads the session
  for (const QAction* a : window.mainMenu().actions())
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
  EXPECT_FALSE(doubleClickItem()->isChecked());  // the fixture's dc=0
  window.mainMenu().close();
}

TEST_F(MenusTest, TheCheckItemTogglesTheModeAndTheSkinRemembersIt) {
  window.start();
  doubleClickItem()->trigger();
  EXPECT_TRUE(window.session().menu().useDoubleClickChecked);
  EXPECT_TRUE(doubleClickItem()->isChecked());
  EXPECT_NE(folder.read("skins/test/config.ini").find("dc=1"), std::string::npos);

  doubleClickItem()->trigger();
  EXPECT_FALSE(doubleClickItem()->isChecked());
  EXPECT_NE(folder.read("skins/test/config.ini").find("dc=0"), std::string::npos);
}

TEST_F(MenusTest, DesktopFilesOpensTheDesktopFolder) {
  window.start();
  item(0)->trigger();
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, RecordingLauncher::Kind::SpecialFolder);
  EXPECT_EQ(launcher.calls[0].shellNumber, 0);
}

TEST_F(MenusTest, AddButtonInEitherMenuOpensTheEditor) {
  window.start();
  EXPECT_TRUE(window.session().menu().addButtonEnabled);
  window.mainMenu().refresh();
  item(2)->trigger();
  EXPECT_TRUE(window.buttonEditor().isVisible());
  window.buttonEditor().hide();
  window.buttonMenu().actions().at(0)->trigger();
  EXPECT_TRUE(window.buttonEditor().isVisible());
  window.buttonMenu().actions().at(1)->trigger();  // removal: nothing yet
  EXPECT_TRUE(launcher.calls.empty());
  window.buttonEditor().hide();
}

TEST_F(MenusTest, CloseTheProgramEndsTheSessionAndClosesTheWindow) {
  window.start();
  window.show();
  bool closed = false;
  QObject::connect(&window, &MainWindow::closed, [&] { closed = true; });
  item(5)->trigger();
  EXPECT_TRUE(mouse::WaitUntil([&] { return closed; }));
  EXPECT_TRUE(window.session().MayClose());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MenusTest, ButtonMenuHasAddAndRemove) {
  EXPECT_EQ(CaptionsOf(window.buttonMenu()), (Captions{"Добавить кнопку", "Удалить кнопку"}));
}

}  // namespace
}  // namespace moravel
