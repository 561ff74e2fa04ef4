#pragma once
// The launcher of the Windows desktop: everything goes through the shell
// (ShellExecuteEx), as a double click in Explorer would.
//
// OpenTarget: the "open" verb on the target (a program, a document, a folder,
// a URL, or a program name the shell looks up), with `arguments` handed over
// as the shell's parameters just as given; a program file starts in its
// own folder (a document, a folder or a looked-up name: ours). A
// target that names nothing starts nothing.
// OpenSpecialFolder: the default verb on the shell folder numbered as the
// skins number them (CSIDL values 0..255; anything else opens nothing).
// OpenDateTimeSettings: "control.exe timedate.cpl".
//
// The shell shows no error box of its own (SEE_MASK_FLAG_NO_UI): a failure is
// only the false result. COM is made ready around each call (ComScope). Call
// from a thread that may wait for the shell to hand the work over, e.g. the
// user interface thread.

#include "platform/Launcher.h"

namespace moravel {

class ShellLauncher : public Launcher {
 public:
  bool OpenTarget(const std::string& target, const std::string& arguments) override;
  bool OpenSpecialFolder(int shellNumber) override;
  bool OpenDateTimeSettings() override;
};

}  // namespace moravel
