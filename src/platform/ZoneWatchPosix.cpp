#include "platform/ZoneWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <utility>

namespace moravel {

namespace {

constexpr uint32_t kFolderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB;
constexpr uint32_t kTargetEvents =
    IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

ZoneWatch::ZoneWatch(std::string file) : file_(std::move(file)) {
  if (file_.empty()) {
    watched_ = true;  // nothing to watch: nothing ever changes
    return;
  }
  const std::filesystem::path path(file_);
  name_ = path.filename().string();
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return;
  const std::string folder = path.parent_path().empty() ? "/" : path.parent_path().string();
  if (inotify_add_watch(fd_, folder.c_str(), kFolderEvents | IN_ONLYDIR) < 0) return;
  WatchTarget();
  watched_ = true;
}

ZoneWatch::~ZoneWatch() {
  if (fd_ >= 0) close(fd_);
}

void ZoneWatch::WatchTarget() {
  // A link (the usual /etc/localtime): the file it leads to is watched too,
  // for a time-zone package that replaces or rewrites it.
  if (target_ >= 0) inotify_rm_watch(fd_, target_);
  target_ = -1;
  char resolved[PATH_MAX];
  if (realpath(file_.c_str(), resolved) && file_ != resolved)
    target_ = inotify_add_watch(fd_, resolved, kTargetEvents);
}

bool ZoneWatch::Changed() {
  if (!watched_) return true;
  if (fd_ < 0) return false;
  bool changed = false;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      break;  // EAGAIN: nothing more pending
    }
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      // Named news comes from the folder and may be about other files; the
      // rest is about the file a link leads to, or an overflow that may hide
      // ours. A watch taken off (below) says so too: that is no news.
      const bool takenOff = event->mask & IN_IGNORED;
      if (!takenOff && (event->len == 0 || name_ == event->name)) changed = true;
      at += ssize_t(sizeof(inotify_event)) + event->len;
    }
  }
  if (changed) WatchTarget();  // a link may lead elsewhere now
  return changed;
}

}  // namespace moravel
