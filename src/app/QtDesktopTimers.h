#pragma once
// The desktop's two timers as QTimers: calendar every 1000 ms, clock every
// 500 ms. Both start switched off; the session switches them. A tick calls
// the handler given to connectTo.

#include <QObject>
#include <QTimer>
#include <functional>

#include "desktop/DesktopTimers.h"

namespace moravel {

class QtDesktopTimers : public QObject, public DesktopTimers {
  Q_OBJECT
 public:
  explicit QtDesktopTimers(QObject* parent = nullptr);

  // The work of each tick; set once the session exists.
  void connectTo(std::function<void()> onCalendar, std::function<void()> onClock);

  void SetEnabled(DesktopTimer timer, bool enabled) override;
  bool IsEnabled(DesktopTimer timer) const override;

  int intervalMs(DesktopTimer timer) const { return timerOf(timer).interval(); }

 private:
  QTimer& timerOf(DesktopTimer timer);
  const QTimer& timerOf(DesktopTimer timer) const;

  QTimer calendar_;
  QTimer clock_;
};

}  // namespace moravel
