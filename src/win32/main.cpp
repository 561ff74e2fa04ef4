// Moravel on Windows: one copy per user; the desktop window with its menus and
// notification-area icon. The program's folder (the executable's) holds all
// its files.

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/SystemClock.h"
#include "platform_win32/ComScope.h"
#include "platform_win32/GdiCaptionPainter.h"
#include "platform_win32/NamedMutexInstance.h"
#include "platform_win32/RunKeyAutostart.h"
#include "platform_win32/ShellAssociatedIcons.h"
#include "platform_win32/ShellLauncher.h"
#include "win32/Win32Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace moravel;
  NamedMutexInstance instance;  // held until the program ends
  if (!instance.isFirst()) return 0;
  ComScope com;  // the shell's folders and icons

  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, program.data(), DWORD(program.size()));
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);
  }

  ShellLauncher launcher;
  SystemClock clock;
  GdiCaptionPainter captions;
  ShellAssociatedIcons icons;
  RunKeyAutostart startAtLogin;
  Win32Program moravel({.launcher = launcher,
                        .clock = clock,
                        .captions = captions,
                        .icons = icons,
                        .startAtLogin = startAtLogin,
                        .program = std::filesystem::path(program)});
  if (!moravel.Start()) return 0;
  moravel.Run();
  return 0;
}
