#pragma once
// Opens what the user clicked: programs, documents, folders, the special
// folders and the date-and-time settings. Every call returns at once; the
// result says whether something was started and is informational only (the
// program reports no failure to the user).

#include <string>

namespace moravel {

class Launcher {
 public:
  virtual ~Launcher() = default;

  // Starts `target` with `arguments` (one text, split like a shell would) when
  // it is a program; opens it with the desktop's default application otherwise
  // (then `arguments` is not used).
  virtual bool OpenTarget(const std::string& target, const std::string& arguments) = 0;

  // Opens the folder of a shell folder number stored in skins (0 desktop,
  // 5 documents, 10 trash, 17 computer, 18 network; see ShellFolders).
  virtual bool OpenSpecialFolder(int shellNumber) = 0;

  // Opens the desktop's date-and-time settings; false when there are none.
  virtual bool OpenDateTimeSettings() = 0;
};

}  // namespace moravel
