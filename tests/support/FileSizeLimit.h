#pragma once
// While one lives, the test process cannot write a file past `bytes`: such a
// write fails with EFBIG, as writes fail on a full disk (SIGXFSZ is ignored
// meanwhile). Other processes are not affected. Windows has no such limit:
// there kAvailable is false and the tests that need one skip.

#ifdef _WIN32

#include <cstdint>

namespace moravel::test {

class FileSizeLimit {
 public:
  static constexpr bool kAvailable = false;
  explicit FileSizeLimit(uint64_t) {}
};

}  // namespace moravel::test

#else

#include <signal.h>
#include <sys/resource.h>

namespace moravel::test {

class FileSizeLimit {
 public:
  static constexpr bool kAvailable = true;
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
};

}  // namespace moravel::test

#endif
