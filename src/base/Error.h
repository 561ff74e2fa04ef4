#pragma once
// The one error type of the program: what kind of failure it was (for the code
// that decides what to do next) and a short human-readable message (for the
// user or the log). `systemCode` keeps the operating system's number when
// there was one (an errno value on POSIX, a GetLastError value on Windows),
// so that a caller can tell a full disk from a read-only folder.

#include <string>

namespace moravel {

enum class ErrorKind {
  kNotFound,      // no such file or folder
  kAccessDenied,  // no permission, a read-only disk or folder
  kNoSpace,       // the disk (or a size limit) is full
  kTooLarge,      // over the bound the caller set
  kNotAFile,      // a folder, FIFO, device or socket where a file was wanted
  kMalformed,     // bytes that do not follow their format
  kUnsupported,   // a well-formed variant that is not handled
  kEmpty,         // nothing to work on (an empty picture, no icon in a file)
  kFailed,        // any other failure of the system
};

struct Error {
  ErrorKind kind = ErrorKind::kFailed;
  std::string message;
  int systemCode = 0;

  // An error from a failed POSIX call: the kind follows the errno value (ENOENT
  // kNotFound, EACCES/EPERM/EROFS kAccessDenied, ENOSPC/EDQUOT/EFBIG kNoSpace),
  // the message is "<what>: <the system's text>".
  static Error FromErrno(int errorNumber, const std::string& what);
};

}  // namespace moravel
