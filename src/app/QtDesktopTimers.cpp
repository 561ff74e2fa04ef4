#include "app/QtDesktopTimers.h"

namespace moravel {

QtDesktopTimers::QtDesktopTimers(QObject* parent) : QObject(parent) {
  for (int i = 0; i < kDesktopTimerCount; ++i)
    timers_[size_t(i)].setInterval(DesktopTimerInterval(DesktopTimer(i)));
}

void QtDesktopTimers::connectTo(std::function<void(DesktopTimer)> onTick) {
  for (int i = 0; i < kDesktopTimerCount; ++i)
    connect(&timers_[size_t(i)], &QTimer::timeout, this, [onTick, i] { onTick(DesktopTimer(i)); });
}

void QtDesktopTimers::SetEnabled(DesktopTimer timer, bool enabled) {
  QTimer& t = timerOf(timer);
  if (enabled && !t.isActive()) t.start();
  if (!enabled) t.stop();
}

bool QtDesktopTimers::IsEnabled(DesktopTimer timer) const {
  return timerOf(timer).isActive();
}

}  // namespace moravel
