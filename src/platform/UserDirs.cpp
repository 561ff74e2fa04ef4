#include "platform/UserDirs.h"

#include "settings/FileIo.h"

namespace moravel {

namespace {

constexpr size_t kMaxBytes = 64 * 1024;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// The value text without its quotes and escapes; nothing when damaged.
std::optional<std::string> Unquote(std::string_view raw) {
  if (raw.empty() || raw.front() != '"') return std::string(raw);
  std::string out;
  for (size_t i = 1; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '"') return TrimBlanks(raw.substr(i + 1)).empty() ? std::optional(out) : std::nullopt;
    if (c == '\\' && i + 1 < raw.size()) c = raw[++i];
    out.push_back(c);
  }
  return std::nullopt;  // no closing quote
}

}  // namespace

std::optional<std::string> UserDirs::Find(std::string_view text, std::string_view key,
                                          const std::string& home) {
  std::optional<std::string> result;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos || TrimBlanks(line.substr(0, eq)) != key) continue;
    auto value = Unquote(TrimBlanks(line.substr(eq + 1)));
    if (!value) continue;
    std::string_view v = *value;
    if (v.substr(0, 5) == "$HOME" && (v.size() == 5 || v[5] == '/')) {
      std::string path = home + std::string(v.substr(5));
      while (path.size() > 1 && path.back() == '/') path.pop_back();
      result = path;
    } else if (!v.empty() && v.front() == '/') {
      std::string path(v);
      while (path.size() > 1 && path.back() == '/') path.pop_back();
      result = path;
    }
  }
  return result;
}

std::optional<std::string> UserDirs::FindInConfig(const std::string& configHome,
                                                  std::string_view key, const std::string& home) {
  const Result<FileBytes> read =
      ReadWholeFile(configHome + "/user-dirs.dirs", kMaxBytes, LongFile::kCut);
  if (!read) return std::nullopt;
  return Find(read->text(), key, home);
}

}  // namespace moravel
