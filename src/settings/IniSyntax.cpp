#include "settings/IniSyntax.h"

#include <cstdint>

#include "settings/TextEncoding.h"

namespace moravel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Line breaks, and NUL, which no reader of the file would give back.
bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

IniLine ClassifyIniLine(std::string_view line) {
  IniLine result;
  const std::string_view body = TrimBlanks(line);
  if (body.empty()) return result;
  if (body.front() == ';') {
    result.kind = IniLine::Kind::kComment;
    return result;
  }
  if (body.front() == '[') {
    const size_t close = body.find(']');
    if (close == body.npos) {
      result.kind = IniLine::Kind::kOther;
    } else {
      result.kind = IniLine::Kind::kSection;
      result.name = TrimBlanks(body.substr(1, close - 1));
    }
    return result;
  }
  const size_t equals = line.find('=');
  if (equals == line.npos) {
    result.kind = IniLine::Kind::kOther;
    return result;
  }
  result.kind = IniLine::Kind::kKey;
  result.name = TrimBlanks(line.substr(0, equals));
  size_t begin = equals + 1;
  size_t end = line.size();
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  result.valueBegin = begin;
  result.valueEnd = end;
  return result;
}

std::string_view UnquoteIniValue(std::string_view trimmed) {
  if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
      trimmed.back() == trimmed.front()) {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

std::string QuoteIniValueForWriting(std::string_view value) {
  const bool changedByReading =
      TrimBlanks(value).size() != value.size() || UnquoteIniValue(value).size() != value.size();
  if (!changedByReading) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted += '"';
  quoted += value;
  quoted += '"';
  return quoted;
}

std::optional<int> ParseIniInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

bool IsWritableSectionName(std::string_view name) {
  const std::string_view trimmed = TrimBlanks(name);
  return !trimmed.empty() && IsValidUtf8(name) && !HasLineBreak(name) &&
         name.find(']') == name.npos;
}

bool IsWritableKeyName(std::string_view name) {
  const std::string_view trimmed = TrimBlanks(name);
  return !trimmed.empty() && IsValidUtf8(name) && !HasLineBreak(name) &&
         name.find('=') == name.npos && trimmed.front() != ';' && trimmed.front() != '[';
}

bool IsWritableValue(std::string_view value) {
  return IsValidUtf8(value) && !HasLineBreak(value);
}

}  // namespace moravel
