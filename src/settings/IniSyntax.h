#pragma once
// The line grammar of the settings files, shared by reading and writing.
//
//   [name]      a section header: the first "[" after leading blanks, the name
//               up to the first "]", trimmed; text after "]" is ignored. A line
//               starting with "[" that has no "]" is no header and is ignored.
//   ; text      a comment (leading blanks allowed).
//   key=value   a key: the first "=" splits; key and value are trimmed of
//               spaces and tabs; a value wrapped in one pair of matching double
//               or single quotes loses them when read.
//   other       anything else (no "=") is kept in the file but ignored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

// Removes spaces and tabs at both ends.
std::string_view TrimBlanks(std::string_view text);

struct IniLine {
  enum class Kind { kBlank, kComment, kSection, kKey, kOther };
  Kind kind = Kind::kBlank;
  std::string_view name;  // section or key name, trimmed; views the classified text
  size_t valueBegin = 0;  // kKey: byte range of the trimmed value in the line
  size_t valueEnd = 0;
};

// Classifies one line given without its line ending.
IniLine ClassifyIniLine(std::string_view line);

// The value as read: drops one pair of matching outer quotes. `trimmed` is the
// value already trimmed of blanks.
std::string_view UnquoteIniValue(std::string_view trimmed);

// The text to store after "=" so that reading gives back exactly `value`:
// a value that reading would change (outer blanks, or outer matching quotes)
// is wrapped in double quotes.
std::string QuoteIniValueForWriting(std::string_view value);

// A decimal integer with an optional sign, nothing else; nothing when the text
// is empty, holds other characters or is out of the 32-bit range.
std::optional<int> ParseIniInt(std::string_view text);

// Names and values the writer accepts: valid UTF-8 without line breaks or NUL; names
// not empty after trimming; a section name without "]"; a key name without "="
// that does not start with ";" or "[".
bool IsWritableSectionName(std::string_view name);
bool IsWritableKeyName(std::string_view name);
bool IsWritableValue(std::string_view value);

}  // namespace moravel
