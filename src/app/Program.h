#pragma once
// The running program: builds the desktop session and everything around it
// (timers, the wallpaper and clock painters, the menus, the dialogs, the
// button editor with its placement flow, the removal of a button, the side
// monitors' windows) and connects them to the desktop window, which only
// shows the frame and forwards its events here.
//
// It carries out what the desktop asks of its window (DesktopWindowPort):
// menus, messages and the side monitors itself; the frame, closing and the
// keyboard focus by handing them to the window.
//
// Lifetime: one per process, on the user-interface thread; the launcher and
// the clock it is given outlive it.

#include <QList>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/MainWindow.h"
#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "raster/Rect.h"

namespace moravel {

class ButtonEditorDialog;
class ButtonFaceRenderer;
class ButtonMenu;
class ButtonRemovalDialog;
class Clock;
class Desktop;
class DesktopInput;
class IconLoader;
class Launcher;
class MainMenu;
class NewButtonFlow;
class QtAssociatedIcons;
class QtCaptionPainter;
class QtDesktopTimers;
class SideScreenWindow;
class SkinChooserDialog;
class SkinTimeWidgets;
class SkinWallpaper;
class WallpaperPrefetch;

// The picture dialog of "Сменить фон": the file picked, nothing when the user
// cancelled. The filters are the dialog's name filters, in order.
using PictureChooser =
    std::function<std::optional<std::filesystem::path>(const QStringList& nameFilters)>;

struct ProgramSetup {
  Launcher& launcher;                   // borrowed; outlives the program
  Clock& clock;                         // borrowed; outlives the program
  std::filesystem::path programFolder;  // data.ini, skins.ini, skins/
  QRect geometry;                       // the primary monitor, logical pixels
  QSize deviceSize;                     // its device pixels; empty: geometry's size
  int scale = 1;                        // the scale the desktop publishes for it
  bool noTray = false;                  // no notification area: main menu on the wallpaper
  // Print the times of the first painted frame and of the first one after
  // each change of the screen's size (for the start-up bench).
  bool reportFirstFrame = false;
  // The wallpaper painted ahead of time, if any; borrowed until start().
  WallpaperPrefetch* prefetch = nullptr;
};

class Program : public QObject, public DesktopWindowPort {
 public:
  explicit Program(ProgramSetup setup);
  ~Program() override;

  // The start-up work: the window's native window on the desktop layer, then
  // the desktop's Start (settings, wallpaper, scene). Call once, before the
  // window is shown.
  void start();

  MainWindow& window() { return *window_; }
  Desktop& session() { return *session_; }
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

  // The monitors changed: the window covers `primary` (logical desktop
  // coordinates), which is `device` in device pixels with the published
  // `scale`, and the desktop follows; `others` are the other monitors in
  // device pixels. The overload without arguments reads them from the
  // toolkit. Call after start().
  void followScreens(QRect primary, Rect device, int scale, std::span<const Rect> others);
  void followScreens();

  // DesktopWindowPort
  // (x, y): device pixels of the window.
  void ShowButtonMenu(int x, int y) override;
  void ShowMainMenu(int x, int y) override;
  void FrameChanged() override;
  void Close() override;
  void ShowMessage(const std::string& text) override;
  void TakeKeyboardFocus() override;
  void SideScreensChanged() override;

 private:
  // The global logical position of the window's device pixel (x, y).
  QPoint globalPosition(int x, int y) const;
  void changeWallpaper();
  void openButtonEditor();
  void onTimer(DesktopTimer timer);

  // Declared before the desktop, which uses them until it goes.
  std::unique_ptr<QtDesktopTimers> timers_;
  std::unique_ptr<SkinWallpaper> wallpaper_;
  std::unique_ptr<SkinTimeWidgets> timeWidgets_;
  std::unique_ptr<Desktop> session_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<MainMenu> mainMenu_;
  std::unique_ptr<ButtonMenu> buttonMenu_;
  std::unique_ptr<SkinChooserDialog> skinChooser_;
  // The button editor and the placement of a new button, and what draws it.
  std::unique_ptr<QtAssociatedIcons> desktopIcons_;
  std::unique_ptr<QtCaptionPainter> captions_;
  std::unique_ptr<IconLoader> icons_;
  std::unique_ptr<ButtonFaceRenderer> faces_;
  std::unique_ptr<NewButtonFlow> newButton_;
  std::unique_ptr<DesktopInput> input_;  // what the window forwards goes here
  std::unique_ptr<ButtonEditorDialog> buttonEditor_;
  std::unique_ptr<ButtonRemovalDialog> removalDialog_;
  PictureChooser pictureChooser_;
  std::vector<std::unique_ptr<SideScreenWindow>> sideWindows_;  // monitors() after the first
};

}  // namespace moravel
