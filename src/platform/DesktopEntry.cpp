#include "platform/DesktopEntry.h"

#include <vector>

#include "platform/KeyFile.h"

namespace moravel {
namespace {

constexpr std::string_view kGroup = "Desktop Entry";

// Undoes the escapes of string values: \s \n \t \r \\. Any other backslash
// stays as written.
std::string Unescape(std::string_view raw) {
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '\\' && i + 1 < raw.size()) {
      switch (raw[i + 1]) {
        case 's':
          c = ' ';
          break;
        case 'n':
          c = '\n';
          break;
        case 't':
          c = '\t';
          break;
        case 'r':
          c = '\r';
          break;
        case '\\':
          c = '\\';
          break;
        default:
          out += c;
          continue;  // kept as written
      }
      ++i;
    }
    out += c;
  }
  return out;
}

std::optional<std::string> StringValue(const KeyFile& file, std::string_view key) {
  auto raw = file.value(kGroup, key);
  if (!raw) return std::nullopt;
  return Unescape(*raw);
}

// Name[...] keys to try for a POSIX locale "lang_COUNTRY.ENCODING@MODIFIER",
// best first, ending with plain Name.
std::vector<std::string> NameKeys(std::string_view locale) {
  std::string_view modifier;
  if (size_t at = locale.find('@'); at != std::string_view::npos) {
    modifier = locale.substr(at + 1);
    locale = locale.substr(0, at);
  }
  locale = locale.substr(0, locale.find('.'));
  std::string lang(locale), country;
  if (size_t at = lang.find('_'); at != std::string::npos) {
    country = lang.substr(at + 1);
    lang.resize(at);
  }
  std::string at;
  if (!modifier.empty()) at.append("@").append(modifier);
  std::vector<std::string> keys;
  if (!lang.empty()) {
    if (!country.empty() && !at.empty()) keys.push_back("Name[" + lang + "_" + country + at + "]");
    if (!country.empty()) keys.push_back("Name[" + lang + "_" + country + "]");
    if (!at.empty()) keys.push_back("Name[" + lang + at + "]");
    keys.push_back("Name[" + lang + "]");
  }
  keys.push_back("Name");
  return keys;
}

// Characters that must not appear outside double quotes in Exec.
bool IsReserved(char c) {
  return std::string_view("\"'\\><~|&;$*?#`()\n").find(c) != std::string_view::npos;
}

// The words of an Exec value (escapes already undone): separated by spaces
// or tabs, double quotes group, and inside them \" \` \$ \\ stand for the
// character. Nothing when a quote is unterminated or a reserved character
// stands outside quotes.
std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else if (c == '"') {
      inWord = true;
      for (++i; i < exec.size() && exec[i] != '"'; ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size() &&
            std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos)
          ++i;
        word += exec[i];
      }
      if (i >= exec.size()) return std::nullopt;  // no closing quote
    } else if (IsReserved(c)) {
      return std::nullopt;
    } else {
      inWord = true;
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

struct FieldValues {
  std::string_view name, icon, path;
};

// Expands the field codes of one Exec word into `out`. A word that held a
// code and expands to nothing is dropped. False for an unknown code.
bool ExpandWord(const std::string& word, const FieldValues& values, std::vector<std::string>& out) {
  std::string text;
  bool hadCode = false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%') {
      text += word[i];
      continue;
    }
    if (++i == word.size()) return false;
    hadCode = true;
    switch (word[i]) {
      case '%':
        text += '%';
        break;
      case 'c':
        text += values.name;
        break;
      case 'k':
        text += values.path;
        break;
      case 'i':
        if (!values.icon.empty()) {
          out.push_back(text + "--icon");
          text = values.icon;
        }
        break;
      case 'f':
      case 'F':
      case 'u':
      case 'U':  // no files given
      case 'd':
      case 'D':
      case 'n':
      case 'N':
      case 'v':
      case 'm':  // deprecated
        break;
      default:
        return false;
    }
  }
  if (!hadCode || !text.empty()) out.push_back(std::move(text));
  return true;
}

DesktopEntry FromKeyFile(const KeyFile& file, const std::string& path, std::string_view locale) {
  DesktopEntry entry;
  entry.type = StringValue(file, "Type").value_or("");
  entry.icon = StringValue(file, "Icon").value_or("");
  entry.url = StringValue(file, "URL").value_or("");
  for (const std::string& key : NameKeys(locale)) {
    if (auto name = StringValue(file, key)) {
      entry.name = *name;
      break;
    }
  }
  const std::string exec = StringValue(file, "Exec").value_or("");
  auto words = SplitExec(exec);
  const FieldValues values{entry.name, entry.icon, path};
  for (size_t i = 0; words && i < words->size(); ++i) {
    if (!ExpandWord((*words)[i], values, entry.exec)) words.reset();
  }
  if (!words) {
    entry.exec.clear();
    entry.execValid = false;
  }
  return entry;
}

}  // namespace

std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text, const std::string& path,
                                              std::string_view locale) {
  const KeyFile file = KeyFile::Parse(text);
  if (!file.hasGroup(kGroup)) return std::nullopt;
  return FromKeyFile(file, path, locale);
}

std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path, std::string_view locale) {
  const auto file = KeyFile::Load(path);
  if (!file || !file->hasGroup(kGroup)) return std::nullopt;
  return FromKeyFile(*file, path, locale);
}

}  // namespace moravel
