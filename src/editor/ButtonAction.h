#pragma once
// What a new button does when pressed: open its target (a file, program or
// folder), or open one of four shell folders. The value of a folder action is
// the folder's shell number (platform/ShellFolders.h), which the button's
// record stores; kOpenFile's 0 is no folder.

namespace moravel {

enum class ButtonAction {
  kOpenFile = 0,
  kMyDocuments = 5,
  kRecycleBin = 10,
  kMyComputer = 17,
  kNetwork = 18,
};

}  // namespace moravel
