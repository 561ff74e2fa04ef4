#include "win32/SideScreenWindow.h"

#include <algorithm>
#include <cstring>

#include "raster/ServerWords.h"
#include "win32/DesktopLayer.h"

namespace moravel {

namespace {

constexpr wchar_t kClassName[] = L"MoravelSideScreen";
constexpr int kStripeRows = 64;  // rows turned into GDI's order at a time

}  // namespace

SideScreenWindow::SideScreenWindow(Rect area, const Bitmap& picture)
    : area_(area), picture_(picture) {}

SideScreenWindow::~SideScreenWindow() {
  if (window_) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

bool SideScreenWindow::Create() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);  // fails harmlessly when already registered
  window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"moravel", WS_POPUP,
                              area_.x, area_.y, area_.width, area_.height, nullptr, nullptr,
                              instance, this);
  if (!window_) return false;
  PlaceOnDesktop(window_, area_);
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  return true;
}

LRESULT CALLBACK SideScreenWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<SideScreenWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<SideScreenWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case WM_PAINT:
        self->Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;  // the picture covers every pixel
      case WM_WINDOWPOSCHANGING:
        KeepAtBottom(window, *reinterpret_cast<WINDOWPOS*>(l));
        return 0;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_DESTROY:
        self->window_ = nullptr;  // gone with the icon window it hung in
        break;
      default:
        break;
    }
  }
  return ::DefWindowProcW(window, message, w, l);
}

void SideScreenWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window_, &paint);
  const Rect r = Intersect({int(paint.rcPaint.left), int(paint.rcPaint.top),
                            int(paint.rcPaint.right - paint.rcPaint.left),
                            int(paint.rcPaint.bottom - paint.rcPaint.top)},
                           {0, 0, picture_.width(), picture_.height()});
  if (dc && !r.empty() && rows_.ReshapeForOverwrite(r.width, std::min(kStripeRows, r.height))) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    for (int y = r.y; y < r.bottom(); y += kStripeRows) {
      const int rows = std::min(kStripeRows, r.bottom() - y);
      for (int i = 0; i < rows; ++i)
        ToCommonServerWords(picture_.row(y + i) + size_t(r.x) * 4, rows_.row(i), r.width);
      info.bmiHeader.biHeight = -rows;  // top-down rows
      ::SetDIBitsToDevice(dc, r.x, y, DWORD(r.width), DWORD(rows), 0, 0, 0, UINT(rows),
                          rows_.data(), &info, DIB_RGB_COLORS);
    }
  }
  ::EndPaint(window_, &paint);
}

}  // namespace moravel
