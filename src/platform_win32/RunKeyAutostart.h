#pragma once
// The program's start-at-login mark on Windows: the value "Moravel" under
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, which
// Windows reads at each login to start the command it holds. The command is
// the program's full path in double quotes, with no arguments.
//
// The value "points at" a program when the path it starts (the text inside
// its leading quotes, or the whole text when unquoted; whatever follows the
// quoted path is arguments and does not count) is the program's path, with
// letter case and the kind of slash aside and "." and ".." steps resolved.
// A value of another type, or a relative path, points at nothing.

#include <filesystem>
#include <string>
#include <string_view>

namespace moravel {

class RunKeyAutostart {
 public:
  static constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  // The mark kept in the key `key` (UTF-8, under HKEY_CURRENT_USER; tests
  // give a scratch key of their own). Nothing is read until asked.
  explicit RunKeyAutostart(std::string_view key = kRunKey);

  bool PointsAt(const std::filesystem::path& program) const;

  // Writes the value to start `program` (an absolute path), creating the key
  // when needed and replacing any older value. False when `program` is
  // relative or the value could not be written.
  bool Enable(const std::filesystem::path& program) const;

  // Removes the value, whatever it points at. True when no value is there
  // afterwards (also when there was none, or no key).
  bool Disable() const;

 private:
  std::wstring key_;
};

}  // namespace moravel
