#include "win32/Win32Timers.h"

#include <algorithm>
#include <cstdint>

namespace moravel {

namespace {

// Window timer ids: 1 + the DesktopTimer for the plain timers, this one for
// the calendar's and the clock's shared wake.
constexpr UINT_PTR kTimeTimerId = 100;

constexpr wchar_t kClassName[] = L"MoravelTimers";

int64_t SteadyMs() {
  return int64_t(::GetTickCount64());
}

int WallMs() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  return now.wMilliseconds;
}

}  // namespace

Win32Timers::Win32Timers() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);  // fails harmlessly when already registered
  window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  if (window_) ::SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
}

Win32Timers::~Win32Timers() {
  if (window_) ::DestroyWindow(window_);
}

void Win32Timers::SetEnabled(DesktopTimer timer, bool enabled) {
  if (OnSchedule(timer)) {
    schedule_.SetEnabled(timer, enabled, SteadyMs());
    ArmTimeTimer();
    return;
  }
  const size_t i = size_t(timer);
  if (enabled == running_[i] || !window_) return;
  if (enabled) {
    running_[i] = ::SetTimer(window_, 1 + i, UINT(DesktopTimerInterval(timer)), nullptr) != 0;
  } else {
    ::KillTimer(window_, 1 + i);
    running_[i] = false;
  }
}

bool Win32Timers::IsEnabled(DesktopTimer timer) const {
  return OnSchedule(timer) ? schedule_.IsEnabled(timer) : running_[size_t(timer)];
}

LRESULT CALLBACK Win32Timers::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER) {
    if (auto* self = reinterpret_cast<Win32Timers*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
      self->OnTick(UINT_PTR(w));
      return 0;
    }
  }
  return ::DefWindowProcW(window, message, w, l);
}

void Win32Timers::OnTick(UINT_PTR id) {
  if (id == kTimeTimerId) {
    RunTimeTicks();
    return;
  }
  if (id < 1 || id > kDesktopTimerCount) return;
  const DesktopTimer timer = DesktopTimer(id - 1);
  if (!running_[size_t(timer)]) return;  // a tick already queued when it was switched off
  if (DesktopTimerTicksOnce(timer)) SetEnabled(timer, false);
  if (onTick_) onTick_(timer);
}

void Win32Timers::RunTimeTicks() {
  const TimeTickSchedule::Runs runs = schedule_.TakeDue(SteadyMs(), WallMs());
  ArmTimeTimer();
  schedule_.Deliver(runs, onTick_);
}

void Win32Timers::ArmTimeTimer() {
  if (!window_) return;
  const std::optional<int64_t> wake = schedule_.NextWake();
  if (!wake) {
    ::KillTimer(window_, kTimeTimerId);
    return;
  }
  // A window timer waits at least USER_TIMER_MINIMUM (10 ms); setting it
  // again replaces the pending wake.
  const int64_t delay = std::max<int64_t>(USER_TIMER_MINIMUM, *wake - SteadyMs());
  ::SetTimer(window_, kTimeTimerId, UINT(delay), nullptr);
}

}  // namespace moravel
