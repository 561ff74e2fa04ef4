#include "platform/ShellFolders.h"

#include <sys/stat.h>

#include "platform/SchemeHandlerLookup.h"
#include "platform/UserDirs.h"
#include "platform/XdgDirs.h"

namespace moravel {

namespace {

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string ShellFolders::resolve(int shellNumber) const {
  switch (shellNumber) {
    case kDesktop:
      return userDir("XDG_DESKTOP_DIR", "Desktop");
    case kDocuments:
      return userDir("XDG_DOCUMENTS_DIR", "Documents");
    case kTrash:
      return uriOrHome("trash");
    case kComputer:
      return uriOrHome("computer");
    case kNetwork:
      return uriOrHome("network");
    default:
      return XdgDirs(env_).home();
  }
}

std::string ShellFolders::userDir(const char* key, const char* fallbackName) const {
  XdgDirs xdg(env_);
  const std::string home = xdg.home();
  auto configured = UserDirs::FindInConfig(xdg.configHome(), key, home);
  if (configured && IsDirectory(*configured)) return *configured;
  std::string standard = (home == "/" ? "" : home) + "/" + fallbackName;
  if (IsDirectory(standard)) return standard;
  return home;
}

std::string ShellFolders::uriOrHome(const char* scheme) const {
  if (SchemeHandlerLookup(env_).hasHandler(scheme)) return std::string(scheme) + ":///";
  return XdgDirs(env_).home();
}

}  // namespace moravel
