#include "settings/IniDocument.h"

#include <algorithm>
#include <utility>

#include "settings/CaseFold.h"
#include "settings/IniSyntax.h"

namespace moravel {
namespace {

bool IsBlankOrComment(std::string_view line) {
  const IniLine::Kind kind = ClassifyIniLine(line).kind;
  return kind == IniLine::Kind::kBlank || kind == IniLine::Kind::kComment;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    size_t next = end;
    if (end < text.size()) next += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines_.push_back(
        {std::string(text.substr(start, end - start)), std::string(text.substr(end, next - end))});
    start = next;
  }
  Reindex();
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.ending;
  }
  return out;
}

void IniDocument::Reindex() {
  sections_.clear();
  firstSection_.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const IniLine parsed = ClassifyIniLine(lines_[i].text);
    if (parsed.kind == IniLine::Kind::kSection) {
      if (!sections_.empty()) sections_.back().end = i;
      Section section;
      section.name = parsed.name;
      section.folded = FoldCase(parsed.name);
      section.header = i;
      section.end = lines_.size();
      firstSection_.try_emplace(section.folded, sections_.size());
      sections_.push_back(std::move(section));
    } else if (parsed.kind == IniLine::Kind::kKey && !sections_.empty()) {
      sections_.back().keys.push_back(
          {FoldCase(parsed.name), i, parsed.valueBegin, parsed.valueEnd});
    }
  }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto it = firstSection_.find(FoldCase(TrimBlanks(name)));
  return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Key* IniDocument::FindKey(const Section& section, std::string_view key) const {
  const std::string folded = FoldCase(TrimBlanks(key));
  for (const Key& k : section.keys) {
    if (k.folded == folded) return &k;
  }
  return nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  const Key* k = FindKey(*s, key);
  if (!k) return std::nullopt;
  const std::string_view text = lines_[k->line].text;
  return UnquoteIniValue(text.substr(k->valueBegin, k->valueEnd - k->valueBegin));
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  return s && FindKey(*s, key);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (firstSection_.at(sections_[i].folded) == i) names.push_back(sections_[i].name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section* s = FindSection(section);
  if (!s) return names;
  for (const Key& k : s->keys) {
    if (FindKey(*s, k.folded) == &k) {
      names.emplace_back(ClassifyIniLine(lines_[k.line].text).name);
    }
  }
  return names;
}

std::string IniDocument::LineEnding() const {
  for (const Line& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

void IniDocument::InsertLine(size_t index, std::string text) {
  // Inserting after a last line that has no ending: that line gets one and
  // the new line becomes the last line without an ending.
  Line line{std::move(text), LineEnding()};
  if (index == lines_.size() && index > 0 && lines_[index - 1].ending.empty()) {
    lines_[index - 1].ending = line.ending;
    line.ending.clear();
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || !IsWritableValue(value)) {
    return false;
  }
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  const std::string stored = QuoteIniValueForWriting(value);
  std::string keyLine = std::string(key) + "=" + stored;

  if (const Section* s = FindSection(section)) {
    if (const Key* k = FindKey(*s, key)) {
      std::string& text = lines_[k->line].text;
      text = text.substr(0, k->valueBegin) + stored;
    } else {
      size_t after = s->header;
      for (size_t i = s->header + 1; i < s->end; ++i) {
        if (!IsBlankOrComment(lines_[i].text)) after = i;
      }
      InsertLine(after + 1, std::move(keyLine));
    }
  } else {
    std::string header = "[";
    header.append(section).append("]");
    InsertLine(lines_.size(), std::move(header));
    InsertLine(lines_.size(), std::move(keyLine));
  }
  Reindex();
  return true;
}

bool IniDocument::EraseSection(std::string_view section) {
  const std::string folded = FoldCase(TrimBlanks(section));
  bool erased = false;
  for (size_t i = sections_.size(); i-- > 0;) {
    if (sections_[i].folded != folded) continue;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(sections_[i].header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sections_[i].end));
    erased = true;
  }
  if (erased) Reindex();
  return erased;
}

}  // namespace moravel
