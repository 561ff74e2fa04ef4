#pragma once
// Hears the toolkit's news of the monitors (one added or removed, another
// primary one, a new size, place or rotation) and passes them on as one
// changed() signal per burst: the news of one change arrive together and are
// read once, when the event loop is next idle.

#include <QObject>
#include <QTimer>

class QScreen;

namespace moravel {

class ScreenWatcher : public QObject {
  Q_OBJECT
 public:
  // Needs the QGuiApplication.
  explicit ScreenWatcher(QObject* parent = nullptr);

 signals:
  void changed();

 private:
  void watch(QScreen* screen);

  QTimer pending_;
};

}  // namespace moravel
