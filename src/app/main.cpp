// Moravel: one copy per user; the desktop window with its menus and tray icon.
// The program's folder (beside the executable) holds all its files.

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/DevicePixels.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/ScreenWatcher.h"
#include "app/SignalExit.h"
#include "commands/MainMenu.h"
#include "commands/TrayIcon.h"
#include "desktop/Desktop.h"
#include "platform/DisplayChoice.h"
#include "platform/ProcessEnvironment.h"
#include "platform/ProcessLauncher.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClock.h"
#include "platform_x11/DesktopWindowShell.h"
#include "widgets/WallpaperPrefetch.h"

int main(int argc, char** argv) {
  using namespace moravel;
  ProcessEnvironment environment;
  const DisplayChoice display = ChooseDisplay(environment);
  if (!display.error.empty()) {
    std::fputs(display.error.c_str(), stderr);
    return 1;
  }
  if (!display.qtPlatform.empty()) setenv("QT_QPA_PLATFORM", display.qtPlatform.c_str(), 1);
  SingleInstance instance(environment);  // held until the program ends
  if (!instance.isFirst()) return 0;
  // The program's folder is the executable's; the wallpaper is decoded while
  // Qt connects to the display and the window is made.
  std::error_code error;
  const std::filesystem::path programFolder =
      std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  auto probe = std::make_unique<X11ScreenProbe>();
  std::optional<WallpaperPrefetch> prefetch;
  if (const std::optional<Rect> screen = probe->size(); screen && !programFolder.empty())
    prefetch.emplace(programFolder, screen->width, screen->height);

  QApplication app(argc, argv);
  probe.reset();  // Qt has its own connection now
  QApplication::setApplicationName(QStringLiteral("Moravel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Moravel"));
  QApplication::setQuitOnLastWindowClosed(false);  // only the desktop window's close ends it

  ProcessLauncher launcher(environment);
  SystemClock clock;
  Program program({.launcher = launcher,
                   .clock = clock,
                   .programFolder = programFolder.empty()
                                        ? std::filesystem::path(
                                              QCoreApplication::applicationDirPath().toStdString())
                                        : programFolder,
                   .geometry = QGuiApplication::primaryScreen()->geometry(),
                   .deviceSize = DeviceSize(*QGuiApplication::primaryScreen()),
                   .scale = PublishedScale(*QGuiApplication::primaryScreen()),
                   // Read only by scripts/bench-startup.
                   .reportFirstFrame = std::getenv("MORAVEL_REPORT_FIRST_FRAME") != nullptr,
                   .prefetch = prefetch ? &*prefetch : nullptr});
  MainWindow& window = program.window();
  QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  SignalExit exitSignals;
  QObject::connect(&exitSignals, &SignalExit::requested, &program, [&program] {
    if (!program.session().MayClose()) program.session().Exit();
  });

  program.start();
  window.show();
  // The desktop follows the monitors: the primary one's size, the others'
  // wallpapers.
  program.followScreens();
  ScreenWatcher screens;
  QObject::connect(&screens, &ScreenWatcher::changed, &program,
                   [&program] { program.followScreens(); });
  // Made even without a notification area: Qt docks it when a panel starts
  // later; where there is none, a right click on the wallpaper opens the
  // main menu. Both are settled after the first frame, which asking the
  // desktop would delay, or after a second at most.
  std::unique_ptr<TrayIcon> tray;
  auto makeTray = [&] {
    if (tray) return;
    program.session().SetNoTray(!TrayIcon::Available());
    tray = std::make_unique<TrayIcon>(program.mainMenu());
  };
  QObject::connect(&window, &MainWindow::firstFrameShown, &window, makeTray);
  QTimer::singleShot(1000, &window, makeTray);
  app.exec();
  return 0;
}
