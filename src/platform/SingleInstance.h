#pragma once
// Tells whether this is the only running copy of the program for this user.
//
// The object takes a kernel-held lock (flock, never waiting) on the file
// "MoravelSingleInstance" in $XDG_RUNTIME_DIR, or on
// /tmp/MoravelSingleInstance-<uid> where that variable names no folder owned
// by this user that we may write to.
// The lock is held while the object lives; the program keeps it for its whole
// run. The kernel drops it when the process ends in any way, so a crashed copy
// never blocks the next start.
//
// When the lock file cannot be opened or is not ours (not a regular file owned
// by this user, or a symbolic link), the object reports "first": the program
// would rather start twice than never.

#include <string>

#include "platform/Environment.h"

namespace moravel {

class SingleInstance {
 public:
  // Uses the default per-user lock file of `env`.
  explicit SingleInstance(const Environment& env);
  // Uses the file "MoravelSingleInstance" in `lockDirectory` (for tests).
  explicit SingleInstance(const std::string& lockDirectory);
  ~SingleInstance();

  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when no other copy holds the lock (this object now holds it).
  bool isFirst() const { return first_; }
  const std::string& lockPath() const { return path_; }

  // The lock file used for `env`, see above.
  static std::string DefaultLockPath(const Environment& env);

 private:
  void acquire();

  std::string path_;
  int fd_ = -1;
  bool first_ = true;
};

}  // namespace moravel
