#pragma once
// The text of one settings file, held as its lines, with reads and edits done
// in memory. It never touches the disk (IniFile does that).
//
// Reading follows the Windows private-profile rules that skins are written
// for (see IniSyntax.h for the line grammar): section and key names compare
// case-insensitively; of duplicate sections or keys the first wins, so the
// keys of a repeated section are never seen; a key before the first section
// is ignored. A line ends at CRLF, LF or a lone CR.
//
// Editing keeps every line it does not have to change byte for byte, with its
// own line ending, and keeps a missing final line ending missing:
//  - Set replaces the value of the first matching key in place (the text up
//    to the value, "key = " with its blanks, stays). A new key goes after the
//    last line of its section that is neither blank nor a comment (or right
//    after the header), so blank lines and comments that lead into the next
//    section stay in front of it. A new section goes at the end of the text.
//  - EraseSection removes every section of that name, each from its header up
//    to the next header, blank lines and comments in that range included.
//  - New lines end like the first line of the text that has an ending; a text
//    without any line ending gets CRLF.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace moravel {

class IniDocument {
 public:
  IniDocument() = default;
  // `text` is UTF-8 without a byte-order mark; any text is accepted.
  explicit IniDocument(std::string_view text);

  // The whole text, equal to the parsed text while nothing was edited.
  std::string Serialize() const;

  // The value as read (trimmed, outer quotes removed), or nothing when the
  // section or key is missing. The view lives until the next edit.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // Distinct section names as spelled at their first occurrence, in file order.
  std::vector<std::string> SectionNames() const;
  // Names of the keys of the section, first occurrences only, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Sets a key, creating the section when needed. False (and nothing changed)
  // when a name or the value is not writable (IsWritable* in IniSyntax.h).
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section with this name; false when there was none.
  bool EraseSection(std::string_view section);

 private:
  struct Line {
    std::string text;    // without its ending
    std::string ending;  // "\r\n", "\n", "\r" or "" (last line without ending)
  };
  struct Key {
    std::string folded;  // FoldCase of the trimmed name
    size_t line = 0;
    size_t valueBegin = 0, valueEnd = 0;
  };
  struct Section {
    std::string name;  // trimmed, as spelled
    std::string folded;
    size_t header = 0;  // line of the header
    size_t end = 0;     // one past its last line: the next header or the end
    std::vector<Key> keys;
  };

  void Reindex();
  const Section* FindSection(std::string_view name) const;
  const Key* FindKey(const Section& section, std::string_view key) const;
  std::string LineEnding() const;
  void InsertLine(size_t index, std::string text);

  std::vector<Line> lines_;
  std::vector<Section> sections_;                         // every header, duplicates included
  std::unordered_map<std::string, size_t> firstSection_;  // folded name -> sections_ index
};

}  // namespace moravel
