#include "app/QtDesktopTimers.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>

namespace moravel {

namespace {

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int WallMs() {
  return int(QDateTime::currentMSecsSinceEpoch() % 1000);
}

}  // namespace

QtDesktopTimers::QtDesktopTimers(QObject* parent) : QObject(parent) {
  for (int i = 0; i < kDesktopTimerCount; ++i) {
    timers_[size_t(i)].setInterval(DesktopTimerInterval(DesktopTimer(i)));
    timers_[size_t(i)].setSingleShot(DesktopTimerTicksOnce(DesktopTimer(i)));
  }
  // Precise: the schedule keeps the grid itself.
  timeTimer_.setSingleShot(true);
  timeTimer_.setTimerType(Qt::PreciseTimer);
  connect(&timeTimer_, &QTimer::timeout, this, &QtDesktopTimers::RunTimeTicks);
}

void QtDesktopTimers::connectTo(std::function<void(DesktopTimer)> onTick) {
  onTick_ = onTick;
  for (int i = 0; i < kDesktopTimerCount; ++i)
    connect(&timers_[size_t(i)], &QTimer::timeout, this, [onTick, i] { onTick(DesktopTimer(i)); });
}

void QtDesktopTimers::SetEnabled(DesktopTimer timer, bool enabled) {
  if (OnSchedule(timer)) {
    schedule_.SetEnabled(timer, enabled, SteadyMs());
    ArmTimeTimer();
    return;
  }
  QTimer& t = timers_[size_t(timer)];
  if (enabled && !t.isActive()) t.start();
  if (!enabled) t.stop();
}

bool QtDesktopTimers::IsEnabled(DesktopTimer timer) const {
  return OnSchedule(timer) ? schedule_.IsEnabled(timer) : timers_[size_t(timer)].isActive();
}

void QtDesktopTimers::RunTimeTicks() {
  const TimeTickSchedule::Runs runs = schedule_.TakeDue(SteadyMs(), WallMs());
  ArmTimeTimer();
  schedule_.Deliver(runs, onTick_);
}

void QtDesktopTimers::ArmTimeTimer() {
  const std::optional<int64_t> wake = schedule_.NextWake();
  if (!wake) {
    timeTimer_.stop();
    return;
  }
  timeTimer_.start(int(std::max<int64_t>(0, *wake - SteadyMs())));
}

}  // namespace moravel
