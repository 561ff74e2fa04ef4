#include "base/Error.h"

#include <cerrno>
#include <system_error>

namespace moravel {

Error Error::FromErrno(int errorNumber, const std::string& what) {
  ErrorKind kind = ErrorKind::kFailed;
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      kind = ErrorKind::kNotFound;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      kind = ErrorKind::kAccessDenied;
      break;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      kind = ErrorKind::kNoSpace;
      break;
    case EISDIR:
      kind = ErrorKind::kNotAFile;
      break;
    default:
      break;
  }
  std::string message = what;
  message += ": ";
  message += std::generic_category().message(errorNumber);
  return Error{kind, std::move(message), errorNumber};
}

}  // namespace moravel
