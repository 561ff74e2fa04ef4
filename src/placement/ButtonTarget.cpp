#include "placement/ButtonTarget.h"

#include "codecs/ShellLink.h"
#include "editor/IconSourceKind.h"
#include "editor/ShortcutTarget.h"
#include "platform/DesktopEntry.h"

namespace moravel {
namespace {

bool EndsWithLnk(const std::string& text) {
  if (text.size() < 3) return false;
  std::string tail = text.substr(text.size() - 3);
  for (char& c : tail) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == "lnk";
}

}  // namespace

std::string QuoteShellWord(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_of(" \t\n'\"\\$`") == std::string::npos;
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ButtonTarget ResolveButtonTarget(const std::string& targetText, ButtonAction action) {
  if (EndsWithLnk(targetText)) {
    const Result<ShortcutInfo> info = ReadShortcut(targetText);
    return {ShortcutTarget(targetText), info ? info->arguments : std::string()};
  }
  if (action != ButtonAction::kOpenFile) return {"", std::to_string(int(action))};
  if (ExtensionStartsWith(targetText, "desktop")) {
    if (auto entry = ReadDesktopEntry(targetText, {})) {
      if (entry->type == "Link" && !entry->url.empty()) return {entry->url, std::nullopt};
      if (!entry->exec.empty()) {
        std::string arguments;
        for (size_t i = 1; i < entry->exec.size(); ++i) {
          if (i > 1) arguments += ' ';
          arguments += QuoteShellWord(entry->exec[i]);
        }
        return {entry->exec.front(), arguments};
      }
    }
  }
  return {targetText, std::nullopt};
}

}  // namespace moravel
