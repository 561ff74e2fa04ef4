#pragma once
// Finds a program the way execvp would, but before any fork: `name` with a
// '/' is taken as a path; otherwise each absolute folder of `env`'s PATH is
// tried in order (empty and relative entries are skipped rather than meaning
// the current folder). PATH unset or empty means /usr/local/bin:/usr/bin:/bin.
// A match is a regular file we may execute.

#include <optional>
#include <string>

#include "platform/Environment.h"

namespace moravel {

// True when `path` is a regular file (after symbolic links) with execute
// permission for us.
bool IsExecutableFile(const std::string& path);

std::optional<std::string> FindExecutable(const std::string& name, const Environment& env);

}  // namespace moravel
