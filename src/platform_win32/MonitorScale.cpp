#include "platform_win32/MonitorScale.h"

#include <windows.h>

#include "raster/WholeScale.h"

namespace moravel {

namespace {

constexpr int kBaseDpi = 96;

// shcore.dll's GetDpiForMonitor (Windows 8.1 and later), looked up once;
// null where Windows lacks it.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int type, UINT* x, UINT* y);
GetDpiForMonitorFunction GetDpiForMonitorOrNull() {
  static const GetDpiForMonitorFunction function = [] {
    HMODULE shcore = ::LoadLibraryW(L"shcore.dll");  // kept for the process's life
    return shcore ? reinterpret_cast<GetDpiForMonitorFunction>(
                        reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  return function;
}

}  // namespace

int WholeScaleOfDpi(int dpi) {
  return WholeScaleFor(double(dpi) / kBaseDpi);  // the rounding every front end uses
}

int PrimaryMonitorScale() {
  if (GetDpiForMonitorFunction dpiOf = GetDpiForMonitorOrNull()) {
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the user's scale setting
    UINT x = 0, y = 0;
    HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (SUCCEEDED(dpiOf(primary, kEffectiveDpi, &x, &y))) return WholeScaleOfDpi(int(x));
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
  if (screen) ::ReleaseDC(nullptr, screen);
  return WholeScaleOfDpi(dpi);
}

}  // namespace moravel
