#include "platform/SchemeHandlerLookup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "platform/KeyFile.h"
#include "platform/MimeAppsList.h"
#include "platform/XdgDirs.h"

namespace fs = std::filesystem;

namespace moravel {

namespace {

// Guards against symbolic-link loops and huge trees.
constexpr int kMaxDepth = 4;
constexpr int kMaxFiles = 20000;

// True when the ';'-separated `list` has `item` as one of its entries.
bool ListContains(const std::string& list, const std::string& item) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    std::string_view entry(list.data() + start, end - start);
    while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
    if (entry == item) return true;
    start = end + 1;
  }
  return false;
}

// Calls `visit` for each regular file named *`suffix` below `dir` until it
// returns true.
template <typename Visit>
bool AnyFileBelow(const std::string& dir, const std::string& suffix, Visit visit) {
  std::error_code ec;
  fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
  int files = 0;
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it.depth() >= kMaxDepth) it.disable_recursion_pending();
    const std::string name = it->path().filename().string();
    if (name.size() < suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (++files > kMaxFiles) return false;
    if (visit(it->path().string())) return true;
  }
  return false;
}

std::vector<std::string> DataDirsWithHome(const XdgDirs& xdg) {
  std::vector<std::string> dirs{xdg.dataHome()};
  for (auto& d : xdg.dataDirs()) dirs.push_back(d);
  return dirs;
}

}  // namespace

bool SchemeHandlerLookup::hasHandler(const std::string& scheme) const {
  if (scheme.empty()) return false;
  const std::string mimeType = "x-scheme-handler/" + scheme;
  return namedInMimeAppsList(mimeType) || declaredByDesktopEntry(mimeType) || servedByGvfs(scheme);
}

bool SchemeHandlerLookup::declaredByDesktopEntry(const std::string& mimeType) const {
  XdgDirs xdg(env_);
  for (const std::string& dir : DataDirsWithHome(xdg)) {
    bool found = AnyFileBelow(dir + "/applications", ".desktop", [&](const std::string& path) {
      auto file = KeyFile::Load(path);
      if (!file || file->value("Desktop Entry", "Hidden") == "true") return false;
      auto types = file->value("Desktop Entry", "MimeType");
      return types && ListContains(*types, mimeType);
    });
    if (found) return true;
  }
  return false;
}

bool SchemeHandlerLookup::namedInMimeAppsList(const std::string& mimeType) const {
  XdgDirs xdg(env_);
  std::vector<std::string> folders{xdg.configHome()};
  for (auto& d : xdg.configDirs()) folders.push_back(d);
  for (auto& d : DataDirsWithHome(xdg)) folders.push_back(d + "/applications");

  std::vector<std::string> names;
  std::string desktops = env_.getOr("XDG_CURRENT_DESKTOP", "");
  size_t start = 0;
  while (start < desktops.size()) {
    size_t end = desktops.find(':', start);
    if (end == std::string::npos) end = desktops.size();
    std::string name = desktops.substr(start, end - start);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (!name.empty() && name.find('/') == std::string::npos) {
      names.push_back(name + "-mimeapps.list");
    }
    start = end + 1;
  }
  names.push_back("mimeapps.list");

  for (const std::string& folder : folders) {
    for (const std::string& name : names) {
      auto file = KeyFile::Load(folder + "/" + name);
      if (file && !MimeAppsListApplications(*file, mimeType).empty()) return true;
    }
  }
  return false;
}

bool SchemeHandlerLookup::servedByGvfs(const std::string& scheme) const {
  XdgDirs xdg(env_);
  for (const std::string& dir : DataDirsWithHome(xdg)) {
    bool found = AnyFileBelow(dir + "/gvfs/mounts", ".mount", [&](const std::string& path) {
      auto file = KeyFile::Load(path);
      return file && file->value("Mount", "Type") == scheme;
    });
    if (found) return true;
  }
  return false;
}

}  // namespace moravel
