#include "settings/IniFile.h"

#include <optional>
#include <utility>

#include "settings/FileIo.h"
#include "settings/IniSyntax.h"
#include "settings/Utf8Path.h"

namespace moravel {

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  Reload();
}

bool IniFile::Reload() {
  Result<FileBytes> read = ReadWholeFile(path_, kMaxBytes);
  IniText decoded = DecodeIniBytes(read ? read->text() : std::string_view());
  document_ = IniDocument(decoded.text);
  charset_ = decoded.charset;
  byteOrderMark_ = decoded.byteOrderMark;
  // A missing file reads as empty and may be created.
  readable_ = read || read.error().kind == ErrorKind::kNotFound;
  readError_ = readable_ ? std::string() : read.error().message;
  return readable_;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  return std::string(document_.Find(section, key).value_or(fallback));
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string_view> text = document_.Find(section, key);
  if (!text) return fallback;
  return ParseIniInt(*text).value_or(fallback);
}

bool IniFile::ReadFlag(std::string_view section, std::string_view key, bool fallback) const {
  const std::optional<std::string_view> text = document_.Find(section, key);
  if (!text) return fallback;
  const std::optional<int> value = ParseIniInt(*text);
  return value ? *value != 0 : fallback;
}

namespace {

Error InvalidName() {
  return Error{ErrorKind::kMalformed, "invalid section, key or value"};
}

}  // namespace

Result<void> IniFile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  IniDocument next = document_;
  if (!next.Set(section, key, value)) return InvalidName();
  return Commit(std::move(next));
}

Result<void> IniFile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

Result<void> IniFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

Result<void> IniFile::EraseSection(std::string_view section) {
  IniDocument next = document_;
  if (!next.EraseSection(section)) return {};
  return Commit(std::move(next));
}

Result<void> IniFile::Apply(const IniBatch& batch) {
  IniDocument next = document_;
  bool changed = false;
  for (const IniBatch::Change& c : batch.changes()) {
    if (c.kind == IniBatch::Change::Kind::kEraseSection) {
      changed |= next.EraseSection(c.section);
      continue;
    }
    if (next.Find(c.section, c.key) == std::optional<std::string_view>(c.value)) continue;
    if (!next.Set(c.section, c.key, c.value)) return InvalidName();
    changed = true;
  }
  if (!changed) return {};
  return Commit(std::move(next));
}

Result<void> IniFile::Commit(IniDocument next) {
  if (!readable_)
    return Error{ErrorKind::kFailed,
                 "the file could not be read, so it is not overwritten: " + Utf8Of(path_)};
  const std::string text = next.Serialize();
  IniCharset charset = charset_;
  std::optional<std::string> bytes = EncodeIniText(text, charset, byteOrderMark_);
  if (!bytes) {
    charset = IniCharset::kUtf8;
    bytes = EncodeIniText(text, charset, byteOrderMark_);
  }
  if (Result<void> written = WriteFileAtomically(path_, *bytes); !written) return written;
  document_ = std::move(next);
  charset_ = charset;
  return {};
}

}  // namespace moravel
