#include "win32/DesktopWindow.h"

#include <windowsx.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "raster/ServerWords.h"
#include "win32/DesktopLayer.h"

namespace moravel {

namespace {

constexpr wchar_t kClassName[] = L"MoravelDesktop";
// Posted to itself at the first change of the frame after the last show.
constexpr UINT kShowChangedParts = WM_APP + 1;
constexpr COLORREF kKeyColour = RGB(0, 0, 255);

std::optional<PlacementKey> PlacementKeyOf(WPARAM key) {
  switch (key) {
    case VK_ESCAPE:
      return PlacementKey::Escape;
    case VK_SPACE:
      return PlacementKey::Space;
    case VK_CONTROL:
      return PlacementKey::Control;
    case VK_LEFT:
      return PlacementKey::Left;
    case VK_RIGHT:
      return PlacementKey::Right;
    case VK_UP:
      return PlacementKey::Up;
    case VK_DOWN:
      return PlacementKey::Down;
    default:
      return std::nullopt;
  }
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  // Double clicks come as their own message (WM_LBUTTONDBLCLK).
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;  // hollow: the frame covers every pixel
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

}  // namespace

DesktopWindow::DesktopWindow(Rect area, FrameComposer& frame, WindowEvents& events)
    : area_(area), frame_(frame), events_(events), presenter_(frame) {}

DesktopWindow::~DesktopWindow() {
  if (window_) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

bool DesktopWindow::Create() {
  if (window_) return true;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, &DesktopWindow::WindowProc);
  // No taskbar button (a tool window); layered for the colour key.
  window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_ACCEPTFILES, kClassName,
                              L"moravel", WS_POPUP, area_.x, area_.y, area_.width, area_.height,
                              nullptr, nullptr, instance, this);
  if (!window_) return false;
  ::SetLayeredWindowAttributes(window_, kKeyColour, 255, LWA_COLORKEY);
  PlaceOnDesktop();
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  return true;
}

void DesktopWindow::PlaceOnDesktop() {
  if (!window_) {
    Create();  // it went with the icon window it hung in
    return;
  }
  moravel::PlaceOnDesktop(window_, area_);
}

void DesktopWindow::MoveTo(Rect area) {
  area_ = area;
  if (!window_) return;
  moravel::PlaceOnDesktop(window_, area_);
  ::InvalidateRect(window_, nullptr, FALSE);
}

void DesktopWindow::FrameChanged() {
  // Told at the first change of a message's work: the frame is shown once
  // that work is done, when the message loop runs again.
  if (showPending_ || !window_) return;
  showPending_ = ::PostMessageW(window_, kShowChangedParts, 0, 0) != 0;
}

void DesktopWindow::ShowChangedParts() {
  showPending_ = false;
  const std::vector<Rect> dirty = frame_.TakeDirty();
  if (dirty.empty() || !::IsWindowVisible(window_)) return;
  dc_ = ::GetDC(window_);
  if (!dc_) return;
  for (const Rect& r : dirty) presenter_.Present(r, *this);
  ::ReleaseDC(window_, dc_);
  dc_ = nullptr;
}

void DesktopWindow::Paint() {
  PAINTSTRUCT paint{};
  dc_ = ::BeginPaint(window_, &paint);
  if (dc_) {
    const RECT& r = paint.rcPaint;
    presenter_.Present({int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)},
                       *this);
  }
  ::EndPaint(window_, &paint);
  dc_ = nullptr;
}

void DesktopWindow::ShowPiece(Bitmap& piece, Rect area) {
  // Turned in place into GDI's 32-bit pixels (blue, green, red, unused).
  const int count = area.width * area.height;
  ToCommonServerWords(piece.data(), piece.data(), count);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = area.width;
  info.bmiHeader.biHeight = -area.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(dc_, area.x, area.y, DWORD(area.width), DWORD(area.height), 0, 0, 0,
                      UINT(area.height), piece.data(), &info, DIB_RGB_COLORS);
}

void DesktopWindow::TakeKeyboardFocus() {
  if (!window_) return;
  ::SetForegroundWindow(::GetAncestor(window_, GA_ROOT));
  ::SetFocus(window_);
}

void DesktopWindow::Close() {
  if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

void DesktopWindow::Forward(PointerEvent::Kind kind, MouseButton button, LPARAM l) {
  PointerEvent event;
  event.kind = kind;
  event.x = GET_X_LPARAM(l);
  event.y = GET_Y_LPARAM(l);
  event.button = button;
  events_.Pointer(event);
}

void DesktopWindow::KeyChanged(WPARAM key, LPARAM l, bool pressed) {
  // Bit 30: the key was already down, a held key's repeat.
  if (pressed && (l & (LPARAM(1) << 30))) return;
  if (auto placementKey = PlacementKeyOf(key)) events_.Key(*placementKey, pressed);
}

void DesktopWindow::FileDropped(HDROP drop) {
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length, L'\0');
    if (::DragQueryFileW(drop, i, name.data(), length + 1) == length) {
      ::DragFinish(drop);
      events_.FileDropped(std::filesystem::path(name));
      return;
    }
  }
  ::DragFinish(drop);
}

LRESULT CALLBACK DesktopWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    auto* self = static_cast<DesktopWindow*>(create->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<DesktopWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(window, message, w, l);
}

LRESULT DesktopWindow::Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the frame covers every pixel
    case kShowChangedParts:
      ShowChangedParts();
      return 0;
    case WM_WINDOWPOSCHANGING:
      KeepAtBottom(window_, *reinterpret_cast<WINDOWPOS*>(l));
      return 0;
    case WM_MOUSEACTIVATE:
      // A click does not bring the window forward; the placement asks for
      // the keyboard itself (TakeKeyboardFocus).
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        tracking_ = ::TrackMouseEvent(&track) != 0;
      }
      Forward(PointerEvent::Kind::Move, MouseButton::Left, l);
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      events_.Pointer({PointerEvent::Kind::Leave, 0, 0, MouseButton::Left});
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::SetCapture(window_);  // the release comes here even off the window
      Forward(PointerEvent::Kind::Press,
              message == WM_LBUTTONDOWN   ? MouseButton::Left
              : message == WM_RBUTTONDOWN ? MouseButton::Right
                                          : MouseButton::Middle,
              l);
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      ::SetCapture(window_);
      Forward(PointerEvent::Kind::DoubleClick,
              message == WM_LBUTTONDBLCLK   ? MouseButton::Left
              : message == WM_RBUTTONDBLCLK ? MouseButton::Right
                                            : MouseButton::Middle,
              l);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (!(w & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ::ReleaseCapture();
      Forward(PointerEvent::Kind::Release,
              message == WM_LBUTTONUP   ? MouseButton::Left
              : message == WM_RBUTTONUP ? MouseButton::Right
                                        : MouseButton::Middle,
              l);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      KeyChanged(w, l, message == WM_KEYDOWN);
      return 0;
    case WM_DPICHANGED:
      // Not the suggested rectangle: the window covers the primary monitor,
      // which its owner looks up again.
      if (onDpiChanged_) onDpiChanged_();
      return 0;
    case WM_KILLFOCUS:
      events_.FocusLost();
      return 0;
    case WM_DROPFILES:
      FileDropped(reinterpret_cast<HDROP>(w));
      return 0;
    case WM_CLOSE:
      if (events_.MayClose()) ::DestroyWindow(window_);
      return 0;  // refused until the exit command allows it
    case WM_DESTROY:
      window_ = nullptr;
      showPending_ = tracking_ = false;  // the queued show and the watch went with it
      // Otherwise the icon window it hung in has gone (Explorer ended): it
      // is made again when Explorer is back (PlaceOnDesktop).
      if (events_.MayClose() && onClosed_) onClosed_();
      return 0;
    default:
      return ::DefWindowProcW(window, message, w, l);  // window_ is null from WM_DESTROY on
  }
}

}  // namespace moravel
