#pragma once
// The desktop window: frameless, the size of the screen, below every other
// window, showing the session's frame. It holds no logic of its own: pointer
// events go to the session, changed parts of the frame are repainted (and
// reshaped on X11), and the session's requests (menus, close) are carried out.
// Every attempt to close it is refused until the session allows it.

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "scene/PointerEvent.h"

namespace moravel {

class ButtonEditorDialog;
class ButtonRemovalDialog;
class ButtonFaceRenderer;
class ButtonRemoval;
class ButtonMenu;
class Clock;
class IconLoader;
class NewButtonFlow;
class QtAssociatedIcons;
class QtCaptionPainter;
class DesktopSession;
class DesktopWindowShell;
class FramePresenter;
class Launcher;
class MainMenu;
class QtDesktopTimers;
class SkinChooserDialog;
class SkinTimeWidgets;
class SkinWallpaper;
class WallpaperPrefetch;
class SideScreenWindow;

// The picture dialog of "Сменить фон": the file picked, nothing when the user
// cancelled. The filters are the dialog's name filters, in order.
using PictureChooser =
    std::function<std::optional<std::filesystem::path>(const QStringList& nameFilters)>;

struct MainWindowSetup {
  Launcher& launcher;                   // borrowed; outlives the window
  Clock& clock;                         // borrowed; outlives the window
  std::filesystem::path programFolder;  // data.ini, skins.ini, skins/
  QRect geometry;                       // the screen, in pixels
  bool noTray = false;                  // no notification area: main menu on the wallpaper
  // Print the times of the first painted frame and of the first one after
  // each change of the screen's size (for the start-up bench).
  bool reportFirstFrame = false;
  // The wallpaper painted ahead of time, if any; borrowed until start().
  WallpaperPrefetch* prefetch = nullptr;
};

class MainWindow : public QWidget, public DesktopWindowPort {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowSetup setup);
  ~MainWindow() override;

  // The start-up work: native window on the desktop layer, then the session's
  // Start (settings, wallpaper, scene). Call once, before show().
  void start();

  DesktopSession& session() { return *session_; }
  MainMenu& mainMenu() { return *mainMenu_; }
  ButtonMenu& buttonMenu() { return *buttonMenu_; }
  QtDesktopTimers& timers() { return *timers_; }
  SkinChooserDialog& skinChooser();    // made on first use
  ButtonEditorDialog& buttonEditor();  // made on first use
  NewButtonFlow& newButton() { return *newButton_; }
  ButtonRemovalDialog& removalDialog();  // made on first use

  // Replaces the picture dialog that "Сменить фон" shows (a modal
  // QFileDialog at first); tests pass their own.
  void setPictureChooser(PictureChooser chooser) { pictureChooser_ = std::move(chooser); }

  // DesktopWindowPort
  void ShowButtonMenu(int x, int y) override;
  void ShowMainMenu(int x, int y) override;
  void FrameChanged() override;
  void Close() override;
  void ShowMessage(const std::string& text) override;
  void TakeKeyboardFocus() override;
  void SideScreensChanged() override;

  // The monitors changed: the window covers `primary` (desktop coordinates)
  // and the session follows; `screens` are the other monitors. The overload
  // without arguments reads them from the toolkit. Call after start().
  void followScreens(QRect primary, const QList<QRect>& screens);
  void followScreens();

 signals:
  // The window closed for good (the session allowed it): the program ends.
  void closed();
  // The first frame has been painted and handed to the display (once).
  void firstFrameShown();

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void forward(QMouseEvent* event, PointerEvent::Kind kind);
  void reportFrame(const char* what);
  void changeWallpaper();
  void openButtonEditor();
  void onTimer(DesktopTimer timer);
  void showChangedParts();

  // Declared before the session, which uses them until it goes.
  std::unique_ptr<QtDesktopTimers> timers_;
  std::unique_ptr<SkinWallpaper> wallpaper_;
  std::unique_ptr<SkinTimeWidgets> timeWidgets_;
  std::unique_ptr<DesktopSession> session_;
  std::unique_ptr<MainMenu> mainMenu_;
  std::unique_ptr<ButtonMenu> buttonMenu_;
  std::unique_ptr<SkinChooserDialog> skinChooser_;
  // The button editor and the placement of a new button, and what draws it.
  std::unique_ptr<QtAssociatedIcons> desktopIcons_;
  std::unique_ptr<QtCaptionPainter> captions_;
  std::unique_ptr<IconLoader> icons_;
  std::unique_ptr<ButtonFaceRenderer> faces_;
  std::unique_ptr<NewButtonFlow> newButton_;
  std::unique_ptr<ButtonEditorDialog> buttonEditor_;
  std::unique_ptr<ButtonRemoval> removal_;
  std::unique_ptr<ButtonRemovalDialog> removalDialog_;
  PictureChooser pictureChooser_;
  std::unique_ptr<DesktopWindowShell> shell_;  // X11 only
  std::unique_ptr<FramePresenter> presenter_;
  bool paintsOnScreen_ = false;  // X11: no Qt backing store, pieces drawn by shell_
  std::vector<std::unique_ptr<SideScreenWindow>> sideWindows_;  // over monitors() after the first
  bool reportFrames_;
  const char* frameReport_ = "first-frame";  // the next paint's report, if any
  bool firstFrameShown_ = false;
  bool showPending_ = false;  // showChangedParts is queued
};

}  // namespace moravel
