// The skin chooser opened from the main menu of a started desktop window, and
// the main menu's "Сменить фон" with its picture dialog replaced: captions,
// geometry, and what a click on each control does to the desktop.

#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <filesystem>
#include <optional>
#include <string>

#include "MouseInput.h"
#include "ProgramFolder.h"
#include "TestApplication.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/QtDesktopTimers.h"
#include "commands/MainMenu.h"
#include "commands/SkinChooserDialog.h"
#include "desktop/Desktop.h"
#include "desktop/PictureDialogFilter.h"
#include "platform/FakeClock.h"
#include "platform/RecordingLauncher.h"

namespace moravel {
namespace {

constexpr Rgba kViolet{120, 40, 200, 255};  // the picture of the second skin
constexpr Rgba kGreen{10, 160, 60, 255};    // a picture chosen as the wallpaper

QRect ToQRect(const Rect& r) {
  return {r.x, r.y, r.width, r.height};
}

class SkinChooserTest : public ::testing::Test {
 protected:
  SkinChooserTest()
      : app_(TestApplication()),
        folder(false),
        program({.launcher = launcher,
                 .clock = clock,
                 .programFolder = folder.root(),
                 .geometry = QRect(0, 0, 400, 300)}),
        window(program.window()) {
    folder.addSkin("violet", kViolet);  // listed after "test"
    program.start();
    window.show();
    program.mainMenu().refresh();  // as opening the menu does: the items are enabled
    QApplication::processEvents();
  }

  QAction* item(const char* caption) {
    for (QAction* a : program.mainMenu().actions())
      if (a->text() == QString::fromUtf8(caption)) return a;
    return nullptr;
  }
  SkinChooserDialog& chooser() { return program.skinChooser(); }
  void open() {
    item("Обложки...")->trigger();
    QApplication::processEvents();
  }
  void clickItem(int row) {
    QListWidget& list = chooser().list();
    mouse::Click(*list.viewport(), list.visualItemRect(list.item(row)).center());
  }
  void click(QPushButton& button) { mouse::Click(button, button.rect().center()); }
  bool dataIniChooses(const std::string& skin) {
    return folder.read("data.ini").find("dir=" + skin + "\n") != std::string::npos;
  }
  Rgba shown(QPoint at) {
    const QColor c = window.grab().toImage().pixelColor(at);
    return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()), uint8_t(c.alpha())};
  }
  QPoint pictureCentre() const { return ToQRect(ProgramFolder::kPictureAt).center(); }

  QApplication& app_;
  RecordingLauncher launcher;
  FakeClock clock;
  ProgramFolder folder;
  Program program;
  MainWindow& window;
};

TEST_F(SkinChooserTest, OpensModelessAsDesignedCentredListingEverySkinWithNothingChosen) {
  EXPECT_FALSE(chooser().isVisible());
  open();
  SkinChooserDialog& d = chooser();
  ASSERT_TRUE(d.isVisible());
  EXPECT_FALSE(d.isModal());
  EXPECT_EQ(d.windowTitle(), "Выберите обложку");
  EXPECT_EQ(d.size(), QSize(300, 453));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());  // a dialog border: not resizable

  EXPECT_EQ(d.list().geometry(), QRect(10, 10, 280, 400));
  EXPECT_EQ(d.applyButton().geometry(), QRect(10, 420, 95, 25));
  EXPECT_EQ(d.okButton().geometry(), QRect(105, 420, 90, 25));
  EXPECT_EQ(d.cancelButton().geometry(), QRect(195, 420, 95, 25));
  EXPECT_EQ(d.applyButton().text(), "Применить");
  EXPECT_EQ(d.okButton().text(), "OK");
  EXPECT_EQ(d.cancelButton().text(), "Отмена");
  for (QWidget* w :
       {static_cast<QWidget*>(&d.list()), static_cast<QWidget*>(&d.applyButton()),
        static_cast<QWidget*>(&d.okButton()), static_cast<QWidget*>(&d.cancelButton())}) {
    EXPECT_TRUE(w->font().bold()) << w->metaObject()->className();
    EXPECT_EQ(w->font().pointSize(), 8);
    EXPECT_EQ(w->font().families(), (QStringList{"MS Sans Serif", "DejaVu Sans"}));
  }
  EXPECT_FALSE(d.font().bold());

  const QRect screen = d.screen()->geometry();
  EXPECT_EQ(d.pos(), QPoint(screen.width() / 2 - d.frameGeometry().width() / 2,
                            screen.height() / 2 - d.frameGeometry().height() / 2));

  ASSERT_EQ(d.list().count(), 2);
  EXPECT_EQ(d.list().item(0)->text(), "test");
  EXPECT_EQ(d.list().item(1)->text(), "violet");
  EXPECT_TRUE(d.list().selectedItems().isEmpty());
  EXPECT_FALSE(d.applyButton().isEnabled());
  EXPECT_FALSE(d.okButton().isEnabled());
  EXPECT_TRUE(d.cancelButton().isEnabled());
}

TEST_F(SkinChooserTest, ClickingASkinEnablesBothButtonsAndOkAppliesItAndCloses) {
  open();
  clickItem(1);
  EXPECT_EQ(chooser().list().currentRow(), 1);
  EXPECT_TRUE(chooser().applyButton().isEnabled());
  EXPECT_TRUE(chooser().okButton().isEnabled());
  EXPECT_TRUE(dataIniChooses("test"));  // a click alone applies nothing

  click(chooser().okButton());
  EXPECT_FALSE(chooser().isVisible());
  EXPECT_TRUE(dataIniChooses("violet"));
  EXPECT_EQ(shown(pictureCentre()), kViolet);
  EXPECT_EQ(shown(ToQRect(ProgramFolder::kButton).center()), (Rgba{0, 0, 255, 255}));

  // Shown again, it starts afresh.
  open();
  EXPECT_TRUE(chooser().list().selectedItems().isEmpty());
  EXPECT_FALSE(chooser().applyButton().isEnabled());
  EXPECT_FALSE(chooser().okButton().isEnabled());
}

TEST_F(SkinChooserTest, ApplyKeepsTheDialogAsItIsAndCancelClosesWithoutUndoingIt) {
  open();
  clickItem(1);
  click(chooser().applyButton());
  EXPECT_TRUE(dataIniChooses("violet"));
  EXPECT_EQ(shown(pictureCentre()), kViolet);
  EXPECT_TRUE(chooser().isVisible());
  EXPECT_EQ(chooser().list().currentRow(), 1);
  EXPECT_TRUE(chooser().applyButton().isEnabled());
  EXPECT_TRUE(chooser().okButton().isEnabled());

  clickItem(0);
  click(chooser().cancelButton());
  EXPECT_FALSE(chooser().isVisible());
  EXPECT_FALSE(chooser().applyButton().isEnabled());
  EXPECT_FALSE(chooser().okButton().isEnabled());
  EXPECT_TRUE(dataIniChooses("violet"));
  EXPECT_EQ(shown(pictureCentre()), kViolet);
}

TEST_F(SkinChooserTest, EscapeOrClosingTheWindowActsAsCancel) {
  for (bool escape : {true, false}) {
    open();
    clickItem(1);
    if (escape) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(&chooser(), &key);
    } else {
      chooser().close();
    }
    EXPECT_FALSE(chooser().isVisible()) << escape;
    EXPECT_FALSE(chooser().okButton().isEnabled()) << escape;
    EXPECT_TRUE(dataIniChooses("test")) << escape;
  }
}

TEST_F(SkinChooserTest, ADoubleClickOnASkinAppliesItAndClosesButNotWithoutASelection) {
  open();
  QListWidget& list = chooser().list();
  const QPoint below = list.visualItemRect(list.item(1)).bottomLeft() + QPoint(5, 40);
  mouse::DoubleClick(*list.viewport(), below);  // under the last skin: selects nothing
  EXPECT_TRUE(chooser().isVisible());
  EXPECT_TRUE(dataIniChooses("test"));

  mouse::DoubleClick(*list.viewport(), list.visualItemRect(list.item(1)).center());
  EXPECT_FALSE(chooser().isVisible());
  EXPECT_TRUE(dataIniChooses("violet"));
  EXPECT_EQ(shown(pictureCentre()), kViolet);
}

TEST_F(SkinChooserTest, ChoosingSkinsAgainWhileShownKeepsTheDialogAsItIs) {
  open();
  clickItem(1);
  chooser().move(chooser().pos() + QPoint(30, 20));  // moved by the user
  const QPoint at = chooser().pos();
  open();
  EXPECT_TRUE(chooser().isVisible());
  EXPECT_EQ(chooser().list().currentRow(), 1);
  EXPECT_TRUE(chooser().okButton().isEnabled());
  EXPECT_EQ(chooser().pos(), at);
}

TEST_F(SkinChooserTest, ChangeWallpaperPaintsThePickedPictureAndRemembersItForTheScreenShape) {
  folder.writePng("green.png", kGreen, 8, 8);
  const std::filesystem::path picked = folder.root() / "green.png";
  QStringList offered;
  std::optional<std::filesystem::path> answer;  // cancelled at first
  program.setPictureChooser([&](const QStringList& filters) {
    offered = filters;
    return answer;
  });
  QStringList expected;
  for (const std::string& f : NameFilters(kPictureDialogFilter))
    expected << QString::fromStdString(f);

  const std::string before = folder.read("skins/test/config.ini");
  item("Сменить фон")->trigger();
  EXPECT_EQ(offered, expected);
  EXPECT_EQ(folder.read("skins/test/config.ini"), before);
  EXPECT_EQ(shown({5, 295}), (Rgba{0, 0, 255, 255}));

  answer = picked;
  item("Сменить фон")->trigger();
  // 400 x 300 is a 4:3 screen.
  EXPECT_NE(folder.read("skins/test/config.ini").find("image4x3=?" + picked.string()),
            std::string::npos);
  EXPECT_EQ(shown({5, 295}), kGreen);
  EXPECT_EQ(shown(pictureCentre()), ProgramFolder::kPicture);  // the scene stays
}

// The program may end while the picture dialog is open (the tray menu's
// "Закрыть программу", SIGTERM): the ended desktop is left as it is.
TEST_F(SkinChooserTest, ChangeWallpaperDoesNothingWhenTheProgramEndedDuringTheDialog) {
  folder.writePng("green.png", kGreen, 8, 8);
  program.setPictureChooser([&](const QStringList&) {
    program.session().Exit();
    return std::optional(folder.root() / "green.png");
  });
  const std::string before = folder.read("skins/test/config.ini");
  item("Сменить фон")->trigger();
  EXPECT_TRUE(program.session().MayClose());
  EXPECT_EQ(folder.read("skins/test/config.ini"), before);
  EXPECT_FALSE(program.timers().IsEnabled(DesktopTimer::Clock));
}

}  // namespace
}  // namespace moravel
