#pragma once
// What the shell folder numbers stored in skins open on this desktop:
//   0  the desktop folder: XDG_DESKTOP_DIR of user-dirs.dirs, else ~/Desktop
//   5  the documents folder: XDG_DOCUMENTS_DIR, else ~/Documents
//   10 "trash:///", 17 "computer:///", 18 "network:///"
//   any other number: the home folder.
// A folder is used only when it exists; otherwise the next choice is taken,
// and the home folder is the last. A URI is used only when the desktop has a
// handler for its scheme (SchemeHandlerLookup), else the home folder.

#include <string>

#include "platform/Environment.h"

namespace moravel {

class ShellFolders {
 public:
  static constexpr int kDesktop = 0;
  static constexpr int kDocuments = 5;
  static constexpr int kTrash = 10;
  static constexpr int kComputer = 17;
  static constexpr int kNetwork = 18;

  explicit ShellFolders(const Environment& env) : env_(env) {}  // env must outlive this

  // A folder path or a URI, never empty.
  std::string resolve(int shellNumber) const;

 private:
  std::string userDir(const char* key, const char* fallbackName) const;
  std::string uriOrHome(const char* scheme) const;

  const Environment& env_;
};

}  // namespace moravel
