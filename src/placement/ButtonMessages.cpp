#include "placement/ButtonMessages.h"

#include <cerrno>

#include "settings/IniSyntax.h"
#include "settings/Utf8Path.h"

namespace moravel {

std::string WriteFailureMessage(int errorNumber, const std::filesystem::path& folder,
                                const std::string& detail) {
  switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS:
      return kNoWriteAccessMessage + Utf8Of(folder);
    case ENOSPC:
#ifdef EDQUOT  // no quotas on Windows
    case EDQUOT:
#endif
      return kNoSpaceMessage + Utf8Of(folder);
    default:
      return kWriteFailedMessage + Utf8Of(folder) + (detail.empty() ? "" : ": " + detail);
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
