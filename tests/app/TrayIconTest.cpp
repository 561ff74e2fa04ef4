// The tray icon: its tooltip, the program's own picture built into the
// program, and the main menu on a right and on a left click.

#include <gtest/gtest.h>

#include <QMenu>

#include "MouseInput.h"
#include "TestApplication.h"
#include "commands/TrayIcon.h"

namespace moravel {
namespace {

TEST(TrayIconTest, ShowsTheProgramsOwnPictureWithItsName) {
  TestApplication();
  QMenu menu;
  TrayIcon tray(menu);
  EXPECT_EQ(tray.icon().toolTip().toStdString(), "Moravel");
  const QIcon icon = tray.icon().icon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));
  EXPECT_FALSE(icon.pixmap(48, 48).toImage().isNull());
}

TEST(TrayIconTest, RightAndLeftClicksOpenTheMainMenu) {
  TestApplication();
  QMenu menu;
  menu.addAction(QStringLiteral("item"));
  TrayIcon tray(menu);
  EXPECT_EQ(tray.icon().contextMenu(), &menu);  // the right click
  emit tray.icon().activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(mouse::WaitUntil([&] { return menu.isVisible(); }));
  menu.close();
}

}  // namespace
}  // namespace moravel
