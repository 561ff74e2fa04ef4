#pragma once
// The launcher of a Linux desktop. Nothing goes through a shell; every program
// is started detached (DetachedProcess) and is never waited for.
//
// OpenTarget: a target that is an executable regular file (a path; a bare
// name is looked up in PATH) is started directly with the arguments split by
// SplitShellWords, in the target's own folder as its current folder, as a
// desktop launcher does. A file marked executable that the system cannot run
// (no "#!" line, not a binary) is treated as a document: the file found is
// handed to xdg-open by its absolute path. Everything else (documents,
// folders, URLs, missing files) is handed to xdg-open; the arguments are then
// not used, since a document takes none.
// xdg-open runs in our own current folder, so that a relative document path
// keeps its meaning.
//
// The environment (PATH, HOME, XDG_*) comes from `env`, which is also the
// whole environment of every started program.

#include "platform/Environment.h"
#include "platform/Launcher.h"

namespace moravel {

class ProcessLauncher : public Launcher {
 public:
  explicit ProcessLauncher(const Environment& env) : env_(env) {}  // env must outlive this

  bool OpenTarget(const std::string& target, const std::string& arguments) override;
  bool OpenSpecialFolder(int shellNumber) override;
  bool OpenDateTimeSettings() override;

 private:
  // Hands `what` (a path or URI) to xdg-open.
  bool openWithDesktop(const std::string& what);

  const Environment& env_;
};

}  // namespace moravel
