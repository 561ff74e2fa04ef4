#include "platform/XdgDirs.h"

#include <pwd.h>
#include <unistd.h>

namespace moravel {

namespace {

std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string AccountHome() {
  struct passwd pw {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &pw, buffer, sizeof buffer, &found) == 0 && found && pw.pw_dir &&
      pw.pw_dir[0] == '/') {
    return pw.pw_dir;
  }
  return "/";
}

}  // namespace

std::vector<std::string> XdgDirs::SplitPathList(const std::string& value) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(':', start);
    if (end == std::string::npos) end = value.size();
    std::string part = value.substr(start, end - start);
    if (!part.empty() && part[0] == '/') out.push_back(WithoutTrailingSlash(part));
    start = end + 1;
  }
  return out;
}

std::string XdgDirs::home() const {
  auto h = env_.get("HOME");
  if (h && !h->empty() && (*h)[0] == '/') return WithoutTrailingSlash(*h);
  return AccountHome();
}

std::string XdgDirs::absoluteOr(const char* name, const std::string& fallback) const {
  auto v = env_.get(name);
  if (v && !v->empty() && (*v)[0] == '/') return WithoutTrailingSlash(*v);
  return fallback;
}

std::string XdgDirs::configHome() const {
  return absoluteOr("XDG_CONFIG_HOME", home() + "/.config");
}

std::string XdgDirs::dataHome() const {
  return absoluteOr("XDG_DATA_HOME", home() + "/.local/share");
}

std::vector<std::string> XdgDirs::configDirs() const {
  auto dirs = SplitPathList(env_.getOr("XDG_CONFIG_DIRS", ""));
  if (dirs.empty()) dirs = {"/etc/xdg"};
  return dirs;
}

std::vector<std::string> XdgDirs::dataDirs() const {
  auto dirs = SplitPathList(env_.getOr("XDG_DATA_DIRS", ""));
  if (dirs.empty()) dirs = {"/usr/local/share", "/usr/share"};
  return dirs;
}

}  // namespace moravel
