#pragma once
// Starts a program that outlives us and is no child of ours: no shell, no
// waiting for it, no zombie. A double fork hands the program to the system's
// reaper; the short-lived middle process is reaped at once. The child side
// does no allocation: every array is built before fork().
//
// In the started program: a new session (setsid), an empty signal mask and
// default dispositions for every signal, stdin from /dev/null (stdout and
// stderr are ours), no descriptor of ours beyond 0-2, and `workingDirectory`
// as its current folder when not empty.

#include <string>
#include <vector>

namespace moravel {

struct DetachedProcess {
  std::string program;            // path given to execve
  std::vector<std::string> argv;  // argv[0] included
  std::vector<std::string> envp;  // "NAME=value" entries
  std::string workingDirectory;   // empty: keep ours

  // Returns 0 once the program runs (its execve succeeded), else the errno of
  // what failed (fork, chdir or execve). Waits only for the exec itself.
  int start() const;
};

}  // namespace moravel
