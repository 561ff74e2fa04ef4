// moravel_floor: the least a Qt Widgets program can do in the program's place,
// the floor scripts/bench-startup measures the program against. One frameless
// window of the primary screen's size, kept below the others, painted one
// solid colour; no skin, no tray icon, no moravel library.
//
// Like the program, when MORAVEL_REPORT_FIRST_FRAME is set it prints
// "moravel first-frame NS" (CLOCK_MONOTONIC nanoseconds) once its first paint
// has been handed to the display. SIGTERM and SIGINT end it with exit code 0.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace moravel {

namespace {

int g_exitPipe[2] = {-1, -1};  // written by the signal handler, read by the event loop

extern "C" void OnExitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_exitPipe[1], &byte, 1);
  errno = saved;
}

void ReportFirstFrame() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("moravel first-frame %lld\n",
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

}  // namespace

class MinimalWindow : public QWidget {
 public:
  MinimalWindow(QRect geometry, bool reportFirstFrame)
      : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint),
        reportFirstFrame_(reportFirstFrame) {
    setWindowTitle(QStringLiteral("moravel_floor"));
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the fill covers every pixel
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    // Not black: scripts/bench-startup waits for the screen to leave black.
    painter.fillRect(event->rect(), QColor(0x6b, 0x4a, 0x2b));
    painter.end();
    if (reportFirstFrame_) {
      // As in the program: Qt hands the painted backing store to the display
      // right after this handler; the zero timer runs once that is done.
      QTimer::singleShot(0, this, &ReportFirstFrame);
      reportFirstFrame_ = false;
    }
  }

 private:
  bool reportFirstFrame_;
};

}  // namespace moravel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  moravel::MinimalWindow window(QGuiApplication::primaryScreen()->geometry(),
                                std::getenv("MORAVEL_REPORT_FIRST_FRAME") != nullptr);

  std::unique_ptr<QSocketNotifier> exitNotifier;
  if (pipe2(moravel::g_exitPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    exitNotifier = std::make_unique<QSocketNotifier>(moravel::g_exitPipe[0], QSocketNotifier::Read);
    QObject::connect(exitNotifier.get(), &QSocketNotifier::activated, &app,
                     &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = moravel::OnExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
  }

  window.show();
  return app.exec();
}
