#include "platform_win32/ThreadDpiAwareness.h"

#include <windows.h>

namespace moravel {

namespace {

// user32.dll's SetThreadDpiAwarenessContext, looked up once; null where
// Windows lacks it.
using SetContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
SetContextFunction SetContextOrNull() {
  static const SetContextFunction function =
      reinterpret_cast<SetContextFunction>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  return function;
}

}  // namespace

ThreadDpiAwareness::ThreadDpiAwareness(Kind kind) {
  SetContextFunction set = SetContextOrNull();
  if (!set) return;
  DPI_AWARENESS_CONTEXT previous = nullptr;
  if (kind == Kind::kUnaware) {
    previous = set(DPI_AWARENESS_CONTEXT_UNAWARE);
  } else {
    previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (!previous) previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);  // before 1703
  }
  previous_ = previous;
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
  if (previous_) SetContextOrNull()(static_cast<DPI_AWARENESS_CONTEXT>(previous_));
}

}  // namespace moravel
