#pragma once
// Mouse input delivered to a widget the way Qt delivers the window system's
// events: a move, a press, a release, and for a double click the order seen
// on X11 (press, release, double click in place of the second press, release).
// Also a wait that keeps the event loop running.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <functional>

namespace mouse {

inline void Send(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                 Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

inline void Move(QWidget& w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  Send(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void Press(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  Send(w, QEvent::MouseButtonPress, at, button, button);
}
inline void Release(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  Send(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}
inline void Click(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  Press(w, at, button);
  Release(w, at, button);
}
inline void DoubleClick(QWidget& w, QPoint at) {
  Click(w, at);
  Send(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  Release(w, at);
}

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 2000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace mouse
