#pragma once
// The program's timers as QTimers, one per DesktopTimer with its interval
// (DesktopTimerInterval). All start switched off; the session switches them.
// A tick calls the handler given to connectTo with the timer that fired.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "desktop/DesktopTimers.h"

namespace moravel {

class QtDesktopTimers : public QObject, public DesktopTimers {
  Q_OBJECT
 public:
  explicit QtDesktopTimers(QObject* parent = nullptr);

  // The work of each tick; set once the session exists.
  void connectTo(std::function<void(DesktopTimer)> onTick);

  void SetEnabled(DesktopTimer timer, bool enabled) override;
  bool IsEnabled(DesktopTimer timer) const override;

  int intervalMs(DesktopTimer timer) const { return timerOf(timer).interval(); }

 private:
  QTimer& timerOf(DesktopTimer timer) { return timers_[size_t(timer)]; }
  const QTimer& timerOf(DesktopTimer timer) const { return timers_[size_t(timer)]; }

  std::array<QTimer, kDesktopTimerCount> timers_;
};

}  // namespace moravel
