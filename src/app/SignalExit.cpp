#include "app/SignalExit.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace moravel {

namespace {

// The pipe the handler writes to. The handler may run on any of the
// program's threads (Qt starts some), so the descriptor is read atomically.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);  // safe inside a signal handler

extern "C" void OnExitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a request: a failed write loses nothing.
  [[maybe_unused]] ssize_t n = write(g_writeEnd.load(), &byte, 1);
  errno = saved;
}

void SetHandler(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace

SignalExit::SignalExit(QObject* parent) : QObject(parent) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default
  g_writeEnd = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    drain();
    emit requested();
  });
  SetHandler(SIGTERM, OnExitSignal);
  SetHandler(SIGINT, OnExitSignal);
}

SignalExit::~SignalExit() {
  if (pipe_[0] < 0) return;
  SetHandler(SIGTERM, SIG_DFL);
  SetHandler(SIGINT, SIG_DFL);
  g_writeEnd = -1;
  notifier_.reset();
  close(pipe_[0]);
  close(pipe_[1]);
}

void SignalExit::drain() {
  char bytes[64];
  while (read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace moravel
