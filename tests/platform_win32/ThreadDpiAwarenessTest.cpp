#include <gtest/gtest.h>
#include <windows.h>

#include "platform_win32/MonitorScale.h"
#include "platform_win32/ThreadDpiAwareness.h"

namespace moravel {
namespace {

// The awareness of the thread, or of `window` when given (user32's functions
// of Windows 10 1607, looked up as the program does).
DPI_AWARENESS AwarenessOf(HWND window = nullptr) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  const auto find = [&](const char* name) { return (void*)::GetProcAddress(user32, name); };
  const auto awareness =
      (DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT))find("GetAwarenessFromDpiAwarenessContext");
  if (window)
    return awareness(
        ((DPI_AWARENESS_CONTEXT(WINAPI*)(HWND))find("GetWindowDpiAwarenessContext"))(window));
  return awareness(((DPI_AWARENESS_CONTEXT(WINAPI*)())find("GetThreadDpiAwarenessContext"))());
}

HWND SmallWindow() {
  return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

// Nested scopes: each window keeps the awareness it was made in, each scope
// gives the one before it back, and an unaware thread sees a 96-dpi screen.
TEST(ThreadDpiAwareness, WindowsKeepTheAwarenessTheyWereMadeInAndScopesUnwind) {
  if (!::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext"))
    GTEST_SKIP() << "before Windows 10 1607";
  const DPI_AWARENESS before = AwarenessOf();
  HWND aware = nullptr, unaware = nullptr;
  {
    ThreadDpiAwareness outer(ThreadDpiAwareness::Kind::kPerMonitor);
    aware = SmallWindow();
    {
      ThreadDpiAwareness inner(ThreadDpiAwareness::Kind::kUnaware);
      EXPECT_EQ(PrimaryMonitorScale(), 1);
      unaware = SmallWindow();
    }
    EXPECT_EQ(AwarenessOf(), DPI_AWARENESS_PER_MONITOR_AWARE);
  }
  EXPECT_EQ(AwarenessOf(), before);
  EXPECT_EQ(AwarenessOf(aware), DPI_AWARENESS_PER_MONITOR_AWARE);
  EXPECT_EQ(AwarenessOf(unaware), DPI_AWARENESS_UNAWARE);
  ::DestroyWindow(aware);
  ::DestroyWindow(unaware);
}

}  // namespace
}  // namespace moravel
