#include "win32/DialogWindow.h"

#include "platform_win32/WideText.h"

namespace moravel {

namespace {

constexpr wchar_t kClassName[] = L"MoravelDialog";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

ATOM DialogWindow::RegisteredClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DialogWindow::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExW(&windowClass);
  }();
  return atom;
}

DialogWindow::DialogWindow(HWND owner, std::string_view caption, int clientWidth, int clientHeight,
                           DWORD exStyle) {
  RECT outer{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle | exStyle);
  ::CreateWindowExW(kExStyle | exStyle, MAKEINTATOM(RegisteredClass()),
                    WideFromUtf8(caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                    ::GetModuleHandleW(nullptr), this);  // sets window_
}

DialogWindow::~DialogWindow() {
  if (window_) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

bool DialogWindow::TakeDialogKey(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND dialog = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (!dialog || ATOM(::GetClassLongPtrW(dialog, GCW_ATOM)) != RegisteredClass()) return false;
  return ::IsDialogMessageW(dialog, &message);
}

HWND DialogWindow::AddControl(const wchar_t* kind, std::string_view text, DWORD style,
                              const Rect& at, int id, const DialogFont& font, DWORD exStyle) {
  HWND made =
      ::CreateWindowExW(exStyle, kind, WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                        at.x, at.y, at.width, at.height, window_,
                        reinterpret_cast<HMENU>(INT_PTR(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (made) ::SendMessageW(made, WM_SETFONT, WPARAM(font.handle()), FALSE);
  return made;
}

void DialogWindow::SetClientSize(int width, int height) {
  RECT outer{0, 0, width, height};
  ::AdjustWindowRectEx(&outer, DWORD(::GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       DWORD(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  const SIZE now = OuterSize();
  if (now.cx == outer.right - outer.left && now.cy == outer.bottom - outer.top) return;
  ::SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE DialogWindow::OuterSize() const {
  RECT r{};
  ::GetWindowRect(window_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void DialogWindow::ShowAt(int x, int y) {
  ::SetWindowPos(window_, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  lastFocus_ = ::GetNextDlgTabItem(window_, nullptr, FALSE);
  BringForward();
}

void DialogWindow::BringForward() {
  ::SetForegroundWindow(window_);
  ::SetFocus(lastFocus_ && ::IsWindowEnabled(lastFocus_) ? lastFocus_ : window_);
}

void DialogWindow::Hide() {
  ::ShowWindow(window_, SW_HIDE);
}

Rect DialogWindow::PrimaryScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& r = monitor.rcMonitor;
  return {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)};
}

std::string DialogWindow::TextOf(HWND control) {
  std::wstring text(size_t(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(control, text.data(), int(text.size()))));
  return Utf8FromWide(text);
}

void DialogWindow::SetText(HWND control, std::string_view text) {
  if (TextOf(control) != text) ::SetWindowTextW(control, WideFromUtf8(text).c_str());
}

bool DialogWindow::Handle(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

LRESULT CALLBACK DialogWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DialogWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (with its owner): the object stays, windowless.
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, w, l);
  }
  return self->Dispatch(message, w, l);
}

LRESULT DialogWindow::Dispatch(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      // Enter comes as IDOK whatever the state of that button: a disabled
      // control is not pressed.
      const auto from = reinterpret_cast<HWND>(l);
      if (from && !::IsWindowEnabled(from)) return 0;
      Command(LOWORD(w), HIWORD(w));
      return 0;
    }
    case WM_CLOSE:
      CloseAsked();
      return 0;
    case WM_ACTIVATE:
      // The keyboard goes back to the control that had it.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && ::IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      break;
    default: {
      LRESULT result = 0;
      if (Handle(message, w, l, result)) return result;
      break;
    }
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace moravel
