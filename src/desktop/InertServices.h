#pragma once
// A session's timers and window for running the desktop without a window
// (the preview tool, benchmarks): the timers never run and the window shows
// nothing; the frame stays readable through Desktop::frame().

#include <string>

#include "desktop/DesktopTimers.h"
#include "desktop/DesktopWindowPort.h"

namespace moravel {

class InertTimers : public DesktopTimers {
 public:
  void SetEnabled(DesktopTimer, bool) override {}
  bool IsEnabled(DesktopTimer) const override { return false; }
};

class InertWindow : public DesktopWindowPort {
 public:
  void ShowButtonMenu(int, int) override {}
  void ShowMainMenu(int, int) override {}
  void FrameChanged() override {}
  void Close() override {}
  void ShowMessage(const std::string&) override {}
};

}  // namespace moravel
