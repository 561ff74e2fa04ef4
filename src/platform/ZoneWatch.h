#pragma once
// Tells whether a time-zone file may have changed since it was last asked,
// without a file-system lookup per question: the file is watched with
// inotify, by its name in its folder and, when it is a link, at the file it
// leads to. Where no watch can be set up, every question is answered "maybe".

#include <string>

namespace moravel {

class ZoneWatch {
 public:
  // Watches `file` (an absolute path); an empty path is a zone that cannot
  // change, and every answer is "no".
  explicit ZoneWatch(std::string file);
  ~ZoneWatch();
  ZoneWatch(const ZoneWatch&) = delete;
  ZoneWatch& operator=(const ZoneWatch&) = delete;

  // True when the zone file was replaced, rewritten or relinked since the
  // last call (or when it cannot be watched); drains the pending news.
  bool Changed();

 private:
  void WatchTarget();

  std::string file_;      // the zone file's path; empty: nothing to watch
  std::string name_;      // its last path element
  int fd_ = -1;           // the inotify descriptor, or -1
  int target_ = -1;       // the watch on the file a link leads to, or -1
  bool watched_ = false;  // false: every call answers true
};

}  // namespace moravel
