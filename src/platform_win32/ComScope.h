#pragma once
// COM made ready on the calling thread for the life of the object, as the
// shell's functions (ShellExecuteEx, SHGetFileInfo) need it. A thread that
// already has an apartment, of either kind, keeps it; one that has none is
// made single-threaded until the object goes, with OLE 1 DDE left off as the
// shell asks. Lives on the stack of one thread.

namespace moravel {

class ComScope {
 public:
  ComScope();
  ~ComScope();

  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool joined_ = false;  // our CoInitializeEx succeeded: CoUninitialize is owed
};

}  // namespace moravel
