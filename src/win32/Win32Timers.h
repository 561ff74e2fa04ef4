#pragma once
// The program's timers on Windows, as window timers of a message-only window
// of their own. The calendar and the clock share one timer that wakes when
// TimeTickSchedule says; the others tick at their intervals
// (DesktopTimerInterval), once where DesktopTimerTicksOnce says. All start
// switched off; the desktop switches them. A tick calls the handler given to
// ConnectTo with the timer that fired, from the message loop.
//
// The user-interface thread only.

#include <windows.h>

#include <array>
#include <functional>

#include "desktop/DesktopTimers.h"
#include "desktop/TimeTickSchedule.h"

namespace moravel {

class Win32Timers : public DesktopTimers {
 public:
  Win32Timers();
  ~Win32Timers() override;
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  // The work of each tick; set once the desktop exists.
  void ConnectTo(std::function<void(DesktopTimer)> onTick) { onTick_ = std::move(onTick); }

  void SetEnabled(DesktopTimer timer, bool enabled) override;
  bool IsEnabled(DesktopTimer timer) const override;

 private:
  static bool OnSchedule(DesktopTimer timer) {
    return timer == DesktopTimer::Calendar || timer == DesktopTimer::Clock;
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  void OnTick(UINT_PTR id);
  void RunTimeTicks();
  void ArmTimeTimer();

  HWND window_ = nullptr;
  std::function<void(DesktopTimer)> onTick_;
  TimeTickSchedule schedule_;
  std::array<bool, kDesktopTimerCount> running_{};  // the timers off the schedule
};

}  // namespace moravel
