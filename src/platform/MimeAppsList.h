#pragma once
// The applications a mimeapps.list names for a MIME type: the
// ';'-separated desktop file names of its [Default Applications] entry, then
// those of its [Added Associations] entry, each trimmed of spaces, empty ones
// skipped. [Removed Associations] is not read.

#include <string>
#include <string_view>
#include <vector>

#include "platform/KeyFile.h"

namespace moravel {

std::vector<std::string> MimeAppsListApplications(const KeyFile& list, std::string_view mimeType);

// The same for the text of a mimeapps.list file.
std::vector<std::string> MimeAppsListApplications(std::string_view text, std::string_view mimeType);

}  // namespace moravel
