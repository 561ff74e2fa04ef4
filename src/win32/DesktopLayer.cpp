#include "win32/DesktopLayer.h"

#include <string_view>

namespace moravel {

HWND FindDesktopListView() {
  HWND progman = ::FindWindowW(L"Progman", nullptr);
  HWND child = progman ? ::GetWindow(progman, GW_CHILD) : nullptr;
  HWND list = child ? ::GetWindow(child, GW_CHILD) : nullptr;
  if (!list) return nullptr;
  wchar_t name[40] = {};
  ::GetClassNameW(list, name, 40);
  // Hidden when the user switched the desktop's icons off: a child of it
  // would be hidden too.
  return std::wstring_view(name) == L"SysListView32" && ::IsWindowVisible(list) ? list : nullptr;
}

void PlaceOnDesktop(HWND window, Rect area) {
  // A new style keeps whether the window is shown.
  const LONG_PTR shown = ::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE;
  if (HWND host = FindDesktopListView()) {
    ::SetWindowLongPtrW(window, GWL_STYLE, WS_CHILD | WS_CLIPSIBLINGS | shown);
    if (::SetParent(window, host)) {
      POINT origin{area.x, area.y};
      ::ScreenToClient(host, &origin);
      ::SetWindowPos(window, HWND_TOP, origin.x, origin.y, area.width, area.height,
                     SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
      return;
    }
  }
  if (::GetParent(window)) ::SetParent(window, nullptr);
  ::SetWindowLongPtrW(window, GWL_STYLE, WS_POPUP | shown);
  ::SetWindowPos(window, HWND_BOTTOM, area.x, area.y, area.width, area.height,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED | (shown ? SWP_SHOWWINDOW : 0));
}

void KeepAtBottom(HWND window, WINDOWPOS& change) {
  if (!::GetParent(window)) change.hwndInsertAfter = HWND_BOTTOM;
}

}  // namespace moravel
