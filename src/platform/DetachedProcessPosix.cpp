#include "platform/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace moravel {

namespace {

std::vector<char*> NullTerminated(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  out.reserve(strings.size() + 1);
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

// Child side from here on: async-signal-safe calls only.

void Report(int pipeFd, int err) {
  ssize_t n;
  do {
    n = write(pipeFd, &err, sizeof err);
  } while (n < 0 && errno == EINTR);
}

// Marks every descriptor from 3 up close-on-exec, so the program gets only
// stdin, stdout and stderr. The report pipe is close-on-exec already.
void CloseOnExecFrom3(int highestFd) {
#ifdef CLOSE_RANGE_CLOEXEC
  if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
#endif
  for (int fd = 3; fd <= highestFd; ++fd) {
    int flags = fcntl(fd, F_GETFD);
    if (flags >= 0 && !(flags & FD_CLOEXEC)) fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
}

}  // namespace

int DetachedProcess::start() const {
  if (program.empty() || argv.empty()) return EINVAL;

  // Everything the child needs, prepared while allocation is still allowed.
  std::vector<char*> args = NullTerminated(argv);
  std::vector<char*> env = NullTerminated(envp);
  const char* path = program.c_str();
  const char* cwd = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&defaultAction.sa_mask);
  sigset_t emptyMask, fullMask, savedMask;
  sigemptyset(&emptyMask);
  sigfillset(&fullMask);
  struct rlimit limit {};
  int highestFd = 1023;
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    highestFd = int(limit.rlim_cur > 1048576 ? 1048576 : limit.rlim_cur) - 1;
  }
  const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    int err = errno;
    if (devNull >= 0) close(devNull);
    return err;
  }

  // No handler of ours may run in the child before its dispositions are reset.
  pthread_sigmask(SIG_SETMASK, &fullMask, &savedMask);
  const pid_t middle = fork();
  if (middle == 0) {
    for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &defaultAction, nullptr);
    sigprocmask(SIG_SETMASK, &emptyMask, nullptr);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild < 0) {
      Report(report[1], errno);
      _exit(1);
    }
    if (grandchild > 0) _exit(0);  // the program is now the system reaper's child

    if (devNull > 0) {
      dup2(devNull, 0);  // the copy is not close-on-exec
    } else if (devNull == 0) {
      fcntl(0, F_SETFD, 0);
    }
    CloseOnExecFrom3(highestFd);
    if (cwd && chdir(cwd) != 0) {
      Report(report[1], errno);
      _exit(127);
    }
    execve(path, args.data(), env.data());
    Report(report[1], errno);
    _exit(127);
  }
  const int forkError = errno;
  pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
  close(report[1]);
  if (devNull >= 0) close(devNull);
  if (middle < 0) {
    close(report[0]);
    return forkError;
  }

  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  // End of file without data: execve succeeded and closed the pipe.
  int err = 0;
  ssize_t n;
  do {
    n = read(report[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  close(report[0]);
  return n == ssize_t(sizeof err) ? err : 0;
}

}  // namespace moravel
