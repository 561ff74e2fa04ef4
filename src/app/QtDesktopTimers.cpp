#include "app/QtDesktopTimers.h"

namespace moravel {

QtDesktopTimers::QtDesktopTimers(QObject* parent) : QObject(parent) {
  calendar_.setInterval(1000);
  clock_.setInterval(500);
}

void QtDesktopTimers::connectTo(std::function<void()> onCalendar, std::function<void()> onClock) {
  connect(&calendar_, &QTimer::timeout, this, std::move(onCalendar));
  connect(&clock_, &QTimer::timeout, this, std::move(onClock));
}

void QtDesktopTimers::SetEnabled(DesktopTimer timer, bool enabled) {
  QTimer& t = timerOf(timer);
  if (enabled && !t.isActive()) t.start();
  if (!enabled) t.stop();
}

bool QtDesktopTimers::IsEnabled(DesktopTimer timer) const {
  return timerOf(timer).isActive();
}

QTimer& QtDesktopTimers::timerOf(DesktopTimer timer) {
  return timer == DesktopTimer::Calendar ? calendar_ : clock_;
}

const QTimer& QtDesktopTimers::timerOf(DesktopTimer timer) const {
  return timer == DesktopTimer::Calendar ? calendar_ : clock_;
}

}  // namespace moravel
