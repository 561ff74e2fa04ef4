// The removal dialog's captions, geometry and wiring.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "TestApplication.h"
#include "commands/ButtonRemovalDialog.h"

namespace moravel {
namespace {

TEST(ButtonRemovalDialog, AsksThenRemovesOrNot) {
  TestApplication();
  int removals = 0;
  ButtonRemovalDialog dialog([&] { ++removals; });
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Удаление кнопки!"));
  EXPECT_EQ(dialog.size(), QSize(226, 100));
  EXPECT_EQ(dialog.question().text(), QStringLiteral("Удалить эту кнопку?"));
  EXPECT_EQ(dialog.question().geometry(), QRect(33, 30, 160, 13));
  EXPECT_EQ(dialog.okButton().geometry(), QRect(33, 65, 75, 25));
  EXPECT_EQ(dialog.cancelButton().text(), QStringLiteral("Отмена"));
  dialog.present();
  EXPECT_TRUE(dialog.isVisible());
  dialog.cancelButton().click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(removals, 0);
  dialog.present();
  dialog.okButton().click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(removals, 1);
}

}  // namespace
}  // namespace moravel
