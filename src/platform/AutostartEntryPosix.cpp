#include "platform/AutostartEntry.h"

#include <string_view>
#include <system_error>

#include "platform/DesktopEntry.h"
#include "platform/KeyFile.h"
#include "platform/XdgDirs.h"
#include "settings/FileIo.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGroup = "Desktop Entry";

bool IsAbsolute(const std::optional<std::string>& value) {
  return value && !value->empty() && value->front() == '/';
}

// One Exec word: inside double quotes when it holds a space or a character
// reserved outside quotes, where " ` $ \ take a backslash; % is doubled in
// any case (a field code otherwise).
std::string QuoteExecWord(std::string_view word) {
  const bool quote =
      word.empty() || word.find_first_of(" \t\n\"'\\><~|&;$*?#`()") != std::string_view::npos;
  std::string out = quote ? "\"" : "";
  for (char c : word) {
    if (c == '%') out += '%';
    if (quote && std::string_view("\"`$\\").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

// The escapes of a string value: the file holds one line per key.
std::string EscapeString(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  if (a == b) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

std::optional<fs::path> AutostartEntry::path() const {
  if (!IsAbsolute(env_.get("XDG_CONFIG_HOME")) && !IsAbsolute(env_.get("HOME")))
    return std::nullopt;
  return fs::path(XdgDirs(env_).configHome()) / "autostart" / "moravel.desktop";
}

bool AutostartEntry::PointsAt(const fs::path& program) const {
  const auto file = path();
  if (!file) return false;
  const auto keys = KeyFile::Load(*file);
  if (!keys || !keys->hasGroup(kGroup)) return false;
  if (keys->value(kGroup, "Hidden") == "true" ||
      keys->value(kGroup, "X-GNOME-Autostart-enabled") == "false")
    return false;
  const auto entry = ReadDesktopEntry(*file, "");
  if (!entry || entry->exec.empty()) return false;
  const fs::path started = entry->exec.front();
  return started.is_absolute() && SameFile(started, program);
}

bool AutostartEntry::Enable(const fs::path& program) const {
  const auto file = path();
  if (!file || !program.is_absolute()) return false;
  std::error_code ec;
  fs::create_directories(file->parent_path(), ec);
  if (ec) return false;
  const std::string text = "[Desktop Entry]\nType=Application\nName=Moravel\nExec=" +
                           EscapeString(QuoteExecWord(program.string())) +
                           "\nX-GNOME-Autostart-enabled=true\n";
  return WriteFileAtomically(*file, text).ok();
}

bool AutostartEntry::Disable() const {
  const auto file = path();
  if (!file) return true;
  std::error_code ec;
  fs::remove(*file, ec);  // nothing there: no error
  return !ec;
}

}  // namespace moravel
