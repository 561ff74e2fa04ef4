#include "placement/ButtonMessages.h"

#include <cerrno>

#include "settings/IniSyntax.h"

namespace moravel {

std::string WriteFailureMessage(int errorNumber, const std::filesystem::path& folder,
                                const std::string& detail) {
  switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS:
      return kNoWriteAccessMessage + folder.string();
    case ENOSPC:
    case EDQUOT:
      return kNoSpaceMessage + folder.string();
    default:
      return kWriteFailedMessage + folder.string() + (detail.empty() ? "" : ": " + detail);
  }
}

std::string WriteFailureMessage(const Error& error, const std::filesystem::path& folder) {
  switch (error.kind) {
    case ErrorKind::kAccessDenied:
      return kNoWriteAccessMessage + folder.string();
    case ErrorKind::kNoSpace:
      return kNoSpaceMessage + folder.string();
    default:
      return kWriteFailedMessage + folder.string() +
             (error.message.empty() ? "" : ": " + error.message);
  }
}

std::optional<std::string> UnstorableTargetMessage(const ButtonTarget& target) {
  if (IsWritableValue(target.object) && (!target.param || IsWritableValue(*target.param)))
    return std::nullopt;
  // Shown with its bad characters left out.
  std::string shown;
  for (char c : target.object)
    if (c != '\n' && c != '\r' && c != '\0') shown += c;
  return kTargetNotStorableMessage + shown;
}

}  // namespace moravel
