#pragma once
// Turns SIGTERM and SIGINT into a Qt signal on the user-interface thread, so
// that they end the program like the exit command. The C handler only writes
// one byte into a pipe; a socket notifier reads it in the event loop.
// One object per process; while it lives, it owns the two signals' handlers.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace moravel {

class SignalExit : public QObject {
  Q_OBJECT
 public:
  explicit SignalExit(QObject* parent = nullptr);
  ~SignalExit() override;

 signals:
  void requested();

 private:
  void drain();

  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace moravel
