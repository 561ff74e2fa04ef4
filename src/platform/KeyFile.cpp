#include "platform/KeyFile.h"

#include "settings/FileIo.h"
#include "settings/Utf8Path.h"

namespace moravel {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

}  // namespace

std::optional<KeyFile> KeyFile::Load(const std::string& path) {
  const Result<FileBytes> read = ReadWholeFile(PathFromUtf8(path), kMaxBytes);
  if (!read) return std::nullopt;
  return Parse(read->text());
}

KeyFile KeyFile::Parse(std::string_view text) {
  KeyFile file;
  std::map<std::string, std::string, std::less<>>* group = nullptr;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      group = close == std::string_view::npos
                  ? nullptr
                  : &file.groups_[std::string(line.substr(1, close - 1))];
      continue;
    }
    size_t eq = line.find('=');
    if (!group || eq == std::string_view::npos) continue;
    std::string key(Trim(line.substr(0, eq)));
    group->emplace(std::move(key), std::string(Trim(line.substr(eq + 1))));
  }
  return file;
}

std::optional<std::string> KeyFile::value(std::string_view group, std::string_view key) const {
  auto g = groups_.find(group);
  if (g == groups_.end()) return std::nullopt;
  auto k = g->second.find(key);
  if (k == g->second.end()) return std::nullopt;
  return k->second;
}

}  // namespace moravel
