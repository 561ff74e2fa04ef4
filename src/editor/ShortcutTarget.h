#pragma once
// Where a shell link leads on this machine.

#include <string>

namespace moravel {

// The link's stored target when it exists here; else its relative path taken
// from the link's own folder ("\" read as "/", letter case ignored) when that
// exists; else the stored target as written (a Windows path, which then
// names nothing here). Empty when the link cannot be read. One level only:
// the result may itself be a link.
std::string ShortcutTarget(const std::string& linkPath);

}  // namespace moravel
