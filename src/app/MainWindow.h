#pragma once
// The desktop window: frameless, the size of the primary monitor, below every
// other window, showing the desktop's frame. It only shows and forwards: its
// pointer, key and drop events go to WindowEvents (the Program), changed
// parts of the frame are shown (and the window's shape follows them on X11),
// and every attempt to close it is refused until WindowEvents allows it.

#include <QWidget>
#include <filesystem>
#include <memory>

#include "placement/WindowEvents.h"

namespace moravel {

class DesktopWindowShell;
class FrameComposer;
class FramePresenter;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `geometry`: the primary monitor, logical pixels; the frame and the
  // pointer are device pixels (DevicePixels.h). `frame` and `events` outlive the
  // window. With `reportFirstFrame` the times of the first painted frame and
  // of the first one after each change of the screen's size are printed
  // (for the start-up bench).
  MainWindow(QRect geometry, FrameComposer& frame, WindowEvents& events, bool reportFirstFrame);
  ~MainWindow() override;

  // Makes the native window and puts it on the desktop layer. Call once,
  // before the first frame and before show().
  void placeOnDesktop();
  // The frame has changed parts: they are shown once the current event's
  // work is done.
  void frameChanged();
  void takeKeyboardFocus();
  // The next frame is the first at a new screen size (for the report).
  void screenSizeChanging();

 signals:
  // The window closed for good (WindowEvents allowed it): the program ends.
  void closed();
  // The first frame has been painted and handed to the display (once).
  void firstFrameShown();

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void forward(QMouseEvent* event, PointerEvent::Kind kind);
  void reportFrame(const char* what);
  void showChangedParts();

  FrameComposer& frame_;
  WindowEvents& events_;
  std::unique_ptr<DesktopWindowShell> shell_;  // X11 only
  std::unique_ptr<FramePresenter> presenter_;
  bool paintsOnScreen_ = false;  // X11: no Qt backing store, pieces drawn by shell_
  bool reportFrames_;
  const char* frameReport_ = "first-frame";  // the next paint's report, if any
  bool firstFrameShown_ = false;
  bool showPending_ = false;  // showChangedParts is queued
};

}  // namespace moravel
