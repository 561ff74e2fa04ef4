#pragma once
// Tells whether this is the only running copy of the program in this logon
// session: the first copy creates a named mutex, later ones find it there.
//
// The object keeps its handle to the mutex while it lives; the program keeps
// the object for its whole run. Windows destroys the mutex when its last
// handle closes, also when a copy crashes, so a dead copy never blocks the
// next start. When the mutex cannot be created at all the object reports
// "first": the program would rather start twice than never.

#include <string_view>

namespace moravel {

class NamedMutexInstance {
 public:
  static constexpr std::string_view kDefaultName = "MoravelSingleInstance";

  // Creates or opens the mutex `name` (UTF-8; tests give names of their own).
  explicit NamedMutexInstance(std::string_view name = kDefaultName);
  ~NamedMutexInstance();

  NamedMutexInstance(const NamedMutexInstance&) = delete;
  NamedMutexInstance& operator=(const NamedMutexInstance&) = delete;

  // False when another object, in this process or another, held the mutex
  // already.
  bool isFirst() const { return first_; }

 private:
  void* mutex_ = nullptr;  // the HANDLE, ours to close; null when none was had
  bool first_ = true;
};

}  // namespace moravel
