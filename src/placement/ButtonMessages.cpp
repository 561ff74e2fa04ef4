#include "placement/ButtonMessages.h"

#include "settings/IniSyntax.h"
#include "settings/Utf8Path.h"

namespace moravel {

Error WriteFailure(const Error& error, const std::filesystem::path& folder) {
  Error told = error;
  switch (error.kind) {
    case ErrorKind::kAccessDenied:
      told.message = kNoWriteAccessMessage + Utf8Of(folder);
      break;
    case ErrorKind::kNoSpace:
      told.message = kNoSpaceMessage + Utf8Of(folder);
      break;
    default:
      told.message = kWriteFailedMessage + Utf8Of(folder) +
                     (error.message.empty() ? "" : ": " + error.message);
      break;
  }
  return told;
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
