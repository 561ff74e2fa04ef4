#pragma once
// The desktop window on Windows: borderless, the size of the primary monitor
// in device pixels (the frame's pixels), with no taskbar button, lying on the
// desktop under every ordinary window (DesktopLayer). Its pure-blue pixels
// are its transparent colour key, so the desktop shows through them.
//
// It only shows and forwards: changed parts of the desktop's frame are drawn
// (FramePresenter, straight into the window, no copy of the frame is kept),
// pointer, key and drop events go to WindowEvents, and every attempt to close
// it is refused until WindowEvents allows it.
//
// Lifetime: `frame` and `events` outlive the window. The user-interface
// thread only.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>

#include "placement/WindowEvents.h"
#include "raster/Rect.h"
#include "scene/FrameComposer.h"
#include "scene/FrameOutput.h"
#include "scene/FramePresenter.h"

namespace moravel {

class DesktopWindow : private FrameOutput {
 public:
  // `area`: the primary monitor, in desktop device pixels.
  DesktopWindow(Rect area, FrameComposer& frame, WindowEvents& events);
  ~DesktopWindow() override;
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;

  // Makes the native window, puts it on the desktop and shows it. Call once;
  // false when the system refused to make it.
  bool Create();
  // After an Explorer restart the icon window is new: the window hangs
  // itself into it again (or is made anew when it went with the old one).
  void PlaceOnDesktop();
  HWND handle() const { return window_; }

  // The frame has changed parts: they are shown once the current message's
  // work is done.
  void FrameChanged();
  void TakeKeyboardFocus();
  // The window covers `area` from now on.
  void MoveTo(Rect area);
  // Closes the window when WindowEvents allows it; `onClosed` then runs.
  void Close();
  void OnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
  // The window was told its monitor's DPI changed (as a top-level window).
  void OnDpiChanged(std::function<void()> onDpiChanged) { onDpiChanged_ = std::move(onDpiChanged); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l);
  void ShowChangedParts();
  void Paint();
  void Forward(PointerEvent::Kind kind, MouseButton button, LPARAM l);
  void KeyChanged(WPARAM key, LPARAM l, bool pressed);
  void FileDropped(HDROP drop);

  // FrameOutput: pieces go to dc_, the device context of the paint under way.
  void ShowPiece(Bitmap& piece, Rect area) override;
  void ShapePiece(const Bitmap&, Rect, bool) override {}  // the colour key does it

  Rect area_;
  FrameComposer& frame_;
  WindowEvents& events_;
  FramePresenter presenter_;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  bool showPending_ = false;  // a ShowChangedParts message is queued
  bool tracking_ = false;     // the pointer's leaving is being watched
  std::function<void()> onClosed_;
  std::function<void()> onDpiChanged_;
};

}  // namespace moravel
