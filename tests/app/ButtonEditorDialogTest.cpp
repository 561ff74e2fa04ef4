// The button editor's widgets over their controller, on the offscreen
// platform: captions, fonts and geometry, and the wiring of the list, the
// buttons, the file dialogs and drops.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <fstream>
#include <memory>

#include "MouseInput.h"
#include "TestApplication.h"
#include "app/QtDesktopTimers.h"
#include "commands/ButtonEditorDialog.h"
#include "editor/EditorTestKit.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::Solid;
using test::WritePng;
using Mode = ButtonEditorController::IconMode;

// Templates: "Round", transparent 20 x 16 with a caption area; a wide one,
// 300 x 130, named by its section.
class ButtonEditorDialogTest : public ::testing::Test {
 protected:
  ButtonEditorDialogTest() : app_(TestApplication()) {
    std::filesystem::create_directories(dir_ / "skin");
    WritePng(dir_ / "skin/round.png", Solid(20, 16, {0, 0, 0, 0}));
    WritePng(dir_ / "skin/wide.png", Solid(300, 130, {0, 0, 90, 255}));
    writeConfig(
        "[freebutton1]\nname=Round\nimage1=round.png\ntw1=20\nth1=6\n"
        "[freebutton2]\nimage1=wide.png\n");
    files_.skinPath = dir_ / "skin/";
    files_.config = std::make_unique<IniFile>(dir_ / "skin/config.ini");
  }
  void writeConfig(const std::string& text) { std::ofstream(dir_ / "skin/config.ini") << text; }
  void click(QWidget& w) { mouse::Click(w, w.rect().center()); }
  void clickTemplate(int row) {
    QListWidget& list = dialog_.templateList();
    mouse::Click(*list.viewport(), list.visualItemRect(list.item(row)).center());
  }

  QApplication& app_;
  test::TempFolder dir_;
  SettingsFiles files_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, {1, 2, 3, 255})};
  ButtonFaceRenderer renderer_{icons_, captions_};
  QtDesktopTimers timers_;  // not connected: a tick does nothing
  ButtonEditorController editor_{files_, renderer_, timers_, [] { return Result<void>(); }};
  ButtonEditorDialog dialog_{editor_};
};

TEST_F(ButtonEditorDialogTest, OpensModelessAsDesignedAroundItsPreview) {
  ButtonEditorDialog& d = dialog_;
  d.present();
  ASSERT_TRUE(d.isVisible());
  EXPECT_FALSE(d.isModal());
  EXPECT_EQ(d.size(), QSize(600, 400));  // a small preview
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  const QRect screen = d.screen()->geometry();
  EXPECT_EQ(d.pos(), QPoint(screen.width() / 2 - d.frameGeometry().width() / 2,
                            screen.height() / 2 - d.frameGeometry().height() / 2));
  const struct {
    QWidget* widget;
    QRect at;
    int points;
    bool bold;
  } controls[] = {
      {&d.templateList(), {10, 29, 280, 360}, 8, true},
      {&d.actionGroup(), {310, 5, 280, 115}, 12, true},
      {&d.targetEdit(), {5, 25, 245, 25}, 8, false},
      {&d.iconModeButton(Mode::kManual), {5, 35, 270, 15}, 8, true},
      {&d.okButton(), {370, 365, 75, 25}, 12, true},
  };
  for (const auto& c : controls) {
    EXPECT_EQ(c.widget->geometry(), c.at) << c.widget->metaObject()->className();
    EXPECT_EQ(c.widget->font().pointSize(), c.points) << c.at.x();
    EXPECT_EQ(c.widget->font().bold(), c.bold) << c.at.x();
  }
  EXPECT_EQ(d.windowTitle(), "Создание кнопки");
  EXPECT_EQ(d.iconGroup().title(), "Иконки");
  EXPECT_EQ(d.actionButton(ButtonAction::kRecycleBin).text(), "\"Корзина\"");
  EXPECT_EQ(d.okButton().text(), "ОК");
  EXPECT_TRUE(d.okButton().isDefault());
  EXPECT_EQ(d.templateList().item(1)->text(), "freebutton2");
  EXPECT_EQ(d.templateList().currentRow(), 0);

  // The transparent template shows the checks behind it.
  EXPECT_EQ(d.preview().geometry(), QRect(310, 265, 20, 16));
  const QImage shown = d.preview().pixmap().toImage();
  EXPECT_EQ(shown.pixelColor(12, 12), QColor(Qt::white));
  EXPECT_EQ(shown.pixelColor(12, 4), QColor(204, 204, 204));
}

TEST_F(ButtonEditorDialogTest, OkIsDisabledWithoutTemplates) {
  writeConfig("[icons]\n");
  dialog_.present();
  EXPECT_FALSE(dialog_.okButton().isEnabled());
  EXPECT_FALSE(dialog_.captionEdit().isEnabled());
  EXPECT_FALSE(dialog_.preview().isVisible());
}

TEST_F(ButtonEditorDialogTest, ATemplateClickRefreshesThePreviewAndTheSizeAroundIt) {
  dialog_.present();
  clickTemplate(0);  // the one already selected: picked again
  EXPECT_EQ(editor_.design().upParams.fontColour, (Rgb{0, 255, 0}));

  clickTemplate(1);
  EXPECT_EQ(dialog_.preview().size(), QSize(300, 130));
  EXPECT_EQ(dialog_.size(), QSize(620, 465));
  EXPECT_EQ(dialog_.cancelButton().pos(), QPoint(455, 430));
  EXPECT_FALSE(dialog_.captionEdit().isEnabled());
  dialog_.present();  // while shown: nothing is reset
  EXPECT_EQ(dialog_.templateList().currentRow(), 1);
}

TEST_F(ButtonEditorDialogTest, TheIconBrowserAndADropFillTheTextBoxes) {
  const std::filesystem::path picked = dir_ / "skin/wide.png", dropped = dir_ / "skin";
  dialog_.setFileChooser([&] { return std::optional(picked); });
  dialog_.present();
  click(dialog_.browseIconButton());
  EXPECT_EQ(dialog_.iconEdit().text().toStdString(), picked.string());
  EXPECT_TRUE(dialog_.iconModeButton(Mode::kManual).isChecked());

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped.string()))});
  QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog_, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog_, &drop);
  EXPECT_EQ(dialog_.targetEdit().text().toStdString(), dropped.string());
  EXPECT_TRUE(dialog_.iconModeButton(Mode::kAutomatic).isChecked());
}

TEST_F(ButtonEditorDialogTest, CancelEscapeAndTheCloseButtonHideTheDialog) {
  for (int way = 0; way < 3; ++way) {
    dialog_.present();
    ASSERT_TRUE(timers_.IsEnabled(DesktopTimer::EditorCaption));
    if (way == 0) {
      click(dialog_.cancelButton());
    } else if (way == 1) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(&dialog_, &key);
    } else {
      dialog_.close();
    }
    EXPECT_FALSE(dialog_.isVisible()) << way;
    EXPECT_FALSE(editor_.visible()) << way;
    EXPECT_FALSE(timers_.IsEnabled(DesktopTimer::EditorCaption)) << way;
  }
}

}  // namespace
}  // namespace moravel
