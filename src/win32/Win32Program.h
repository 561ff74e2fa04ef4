#pragma once
// The running program on Windows: builds the desktop and everything around it
// (timers, the wallpaper and clock painters, the notification-area icon and
// the menus, the dialogs, the button editor's flow, the removal of a button)
// and connects them to the desktop window, which only shows the frame and
// forwards its events here.
//
// It owns the program's hidden main window (no taskbar button), which hears
// the notification-area icon, the system's news (Explorer restarted, the
// displays, their scale or the time changed) and nothing else.
//
// Pixels: the process is per-monitor DPI aware, so the desktop window, the
// side windows, the menus and the pointer are in device pixels. The dialogs
// keep their 96-dpi layouts as DPI-unaware windows, which the system
// enlarges: they are made and driven only inside InDialogPixels.
//
// Lifetime: one per process, on the user-interface thread; the services in
// the setup outlive it.

#include <windows.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"
#include "raster/Rect.h"

namespace moravel {

class AssociatedIcons;
class ButtonEditorWindow;
class ButtonFaceRenderer;
class ButtonRemovalWindow;
class CaptionPainter;
class Clock;
class Desktop;
class DesktopInput;
class DesktopWindow;
class IconLoader;
class Launcher;
class NewButtonFlow;
class NotifyIcon;
class SideScreenWindow;
class SkinChooserWindow;
class SkinTimeWidgets;
class SkinWallpaper;
class RunKeyAutostart;
class Win32Timers;

struct Win32ProgramSetup {
  Launcher& launcher;                   // borrowed; outlives the program
  Clock& clock;                         // borrowed
  const CaptionPainter& captions;       // borrowed
  const AssociatedIcons& icons;         // borrowed
  const RunKeyAutostart& startAtLogin;  // borrowed: the main menu's login mark
  std::filesystem::path program;        // the executable; its folder holds data.ini, skins/
};

class Win32Program : public DesktopWindowPort {
 public:
  explicit Win32Program(const Win32ProgramSetup& setup);
  ~Win32Program() override;
  Win32Program(const Win32Program&) = delete;
  Win32Program& operator=(const Win32Program&) = delete;

  // Makes the windows, runs the desktop's start-up and shows the first frame.
  // False when the system would not make the desktop window.
  bool Start();
  // Runs the message loop until the desktop window has closed for good.
  void Run();

  // DesktopWindowPort
  void ShowButtonMenu(int x, int y) override;
  void ShowMainMenu(int x, int y) override;
  void FrameChanged() override;
  void Close() override;
  void ShowMessage(const std::string& text) override;
  void TakeKeyboardFocus() override;
  void SideScreensChanged() override;

 private:
  static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleHost(UINT message, WPARAM w, LPARAM l);
  void OnTimer(DesktopTimer timer);
  // The monitors now: the primary one with its scale, then the others.
  void FollowScreens();
  // Opens the main menu at screen (x, y) and carries out what was chosen.
  void RunMainMenu(POINT at);
  // The dialogs, made on first use: none is needed for the first frame.
  SkinChooserWindow& skinChooser();
  ButtonEditorWindow& buttonEditor();
  ButtonRemovalWindow& removalDialog();
  // "Добавить кнопку": a running placement ends, the editor shows.
  void OpenButtonEditor();
  // The window the menus and messages belong to: the hidden main window.
  HWND owner() const { return host_; }

  Win32ProgramSetup setup_;
  HWND host_ = nullptr;
  UINT taskbarCreated_ = 0;  // Explorer's message when its taskbar is (re)made
  // Declared before the desktop, which uses them until it goes.
  std::unique_ptr<Win32Timers> timers_;
  std::unique_ptr<SkinWallpaper> wallpaper_;
  std::unique_ptr<SkinTimeWidgets> timeWidgets_;
  std::unique_ptr<Desktop> session_;
  std::unique_ptr<DesktopWindow> window_;
  std::unique_ptr<IconLoader> iconLoader_;
  std::unique_ptr<ButtonFaceRenderer> faces_;
  std::unique_ptr<NewButtonFlow> newButton_;
  std::unique_ptr<DesktopInput> input_;  // what the window forwards goes here
  std::unique_ptr<SkinChooserWindow> skinChooser_;
  std::unique_ptr<ButtonEditorWindow> buttonEditor_;
  std::unique_ptr<ButtonRemovalWindow> removalDialog_;
  std::unique_ptr<NotifyIcon> tray_;
  std::vector<std::unique_ptr<SideScreenWindow>> sideWindows_;  // monitors() after the first
  HICON trayIcon_ = nullptr;
  Rect primary_;   // device pixels
  int scale_ = 1;  // the one published for primary_ (PrimaryMonitorScale)
  bool closed_ = false;
};

}  // namespace moravel
