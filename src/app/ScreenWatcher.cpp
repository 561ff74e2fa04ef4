#include "app/ScreenWatcher.h"

#include <QGuiApplication>
#include <QScreen>

namespace moravel {

ScreenWatcher::ScreenWatcher(QObject* parent) : QObject(parent) {
  pending_.setSingleShot(true);
  pending_.setInterval(0);
  connect(&pending_, &QTimer::timeout, this, &ScreenWatcher::changed);
  auto* app = qGuiApp;
  connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
    watch(screen);
    pending_.start();
  });
  connect(app, &QGuiApplication::screenRemoved, &pending_, qOverload<>(&QTimer::start));
  connect(app, &QGuiApplication::primaryScreenChanged, &pending_, qOverload<>(&QTimer::start));
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
}

void ScreenWatcher::watch(QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, &pending_, qOverload<>(&QTimer::start));
}

}  // namespace moravel
