#pragma once
// The program's timers on Qt. The calendar and the clock share one
// single-shot timer that wakes when TimeTickSchedule says (once a second
// while the clock shows seconds); the others are plain QTimers of their
// intervals (DesktopTimerInterval), single-shot where DesktopTimerTicksOnce
// says. All start switched off; the desktop switches them. A tick calls the
// handler given to connectTo with the timer that fired.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "desktop/DesktopTimers.h"
#include "desktop/TimeTickSchedule.h"

namespace moravel {

class QtDesktopTimers : public QObject, public DesktopTimers {
  Q_OBJECT
 public:
  explicit QtDesktopTimers(QObject* parent = nullptr);

  // The work of each tick; set once the desktop exists.
  void connectTo(std::function<void(DesktopTimer)> onTick);

  void SetEnabled(DesktopTimer timer, bool enabled) override;
  bool IsEnabled(DesktopTimer timer) const override;

  // The interval of the timer's grid, milliseconds.
  int intervalMs(DesktopTimer timer) const { return DesktopTimerInterval(timer); }

 private:
  static bool OnSchedule(DesktopTimer timer) {
    return timer == DesktopTimer::Calendar || timer == DesktopTimer::Clock;
  }
  void RunTimeTicks();
  void ArmTimeTimer();

  std::function<void(DesktopTimer)> onTick_;
  TimeTickSchedule schedule_;
  QTimer timeTimer_;                               // the calendar's and the clock's wakes
  std::array<QTimer, kDesktopTimerCount> timers_;  // the others' (those two are unused)
};

}  // namespace moravel
