#include "platform/FindExecutable.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/XdgDirs.h"

namespace moravel {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindExecutable(const std::string& name, const Environment& env) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  for (const std::string& dir :
       XdgDirs::SplitPathList(env.getOr("PATH", "/usr/local/bin:/usr/bin:/bin"))) {
    std::string candidate = dir == "/" ? "/" + name : dir + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace moravel
