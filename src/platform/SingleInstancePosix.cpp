#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace moravel {

namespace {

constexpr const char* kLockName = "MoravelSingleInstance";

// A folder we can create files in, owned by us (as $XDG_RUNTIME_DIR must be).
bool UsableRuntimeDir(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return false;
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (st.st_uid != getuid()) return false;
  return access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string SingleInstance::DefaultLockPath(const Environment& env) {
  auto runtime = env.get("XDG_RUNTIME_DIR");
  if (runtime && UsableRuntimeDir(*runtime)) {
    std::string dir = *runtime;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir + "/" + kLockName;
  }
  // A fixed folder, not $TMPDIR: every copy of the program must find the same
  // file whatever its environment.
  return std::string("/tmp/") + kLockName + "-" + std::to_string(getuid());
}

SingleInstance::SingleInstance(const Environment& env) : path_(DefaultLockPath(env)) {
  acquire();
}

SingleInstance::SingleInstance(const std::string& lockDirectory)
    : path_(lockDirectory + "/" + kLockName) {
  acquire();
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);  // closing the last descriptor drops the lock
}

void SingleInstance::acquire() {
  int fd;
  do {
    fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return;  // no lock to be had: count as first

  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    // Someone else's file could be held forever to keep us from starting.
    close(fd);
    return;
  }
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) {
    fd_ = fd;
    return;
  }
  int err = errno;
  close(fd);
  first_ = err != EWOULDBLOCK;
}

}  // namespace moravel
