#pragma once
// One settings file, read once into memory and written through at once.
//
// Reads (see IniDocument.h for the rules) never touch the disk and never
// throw: a missing section or key gives the default; a present but empty value
// is empty. Integers are decimal with an optional sign in the 32-bit range;
// anything else reads as the default. A flag is an integer other than 0.
//
// Every write is on the disk, atomically (FileIo.h), when it succeeds. A
// write that fails returns the Error (kMalformed for a refused name or value,
// the kind of the failed disk write otherwise: kAccessDenied, kNoSpace, ...),
// leaves the file as it was and leaves the object unchanged, so the object always shows what is on
// the disk (as far as this object knows: changes made to the file by others are seen by Reload). A
// missing file reads as empty and is created by the first write; its folder must exist. A file that
// exists but cannot be read reads as empty and refuses every write, so that it is never overwritten
// with less than it holds.
//
// Charset (IniText.h): the file is written back in the charset it was read in.
// When a Windows-1251 file must take a character that 1251 cannot represent,
// or its new 1251 bytes would pass for UTF-8 (and so read back differently),
// the whole file is rewritten as UTF-8, which is then how it is read: no value
// is lost or changed, at the price of new bytes in the lines with non-ASCII
// text. New files are UTF-8 without a byte-order mark.
//
// Not thread-safe; the object owns its in-memory copy and holds no open file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "settings/IniBatch.h"
#include "settings/IniDocument.h"
#include "settings/IniText.h"

namespace moravel {

class IniFile {
 public:
  // A longer file (or anything but a regular file) counts as one that cannot
  // be read; skins' and the program's own files are a few KiB.
  static constexpr size_t kMaxBytes = size_t(16) << 20;

  // Reads the file now (see Reload).
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& path() const { return path_; }
  // False when the file exists but could not be read (writes are refused).
  bool readable() const { return readable_; }
  IniCharset charset() const { return charset_; }
  // Why the file could not be read at the last Reload; empty when readable().
  const std::string& readError() const { return readError_; }

  // Reads the file again from the disk; returns readable().
  bool Reload();

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  int ReadInt(std::string_view section, std::string_view key, int fallback) const;
  bool ReadFlag(std::string_view section, std::string_view key, bool fallback) const;
  bool HasSection(std::string_view section) const { return document_.HasSection(section); }
  bool HasKey(std::string_view section, std::string_view key) const {
    return document_.HasKey(section, key);
  }
  std::vector<std::string> SectionNames() const { return document_.SectionNames(); }
  std::vector<std::string> KeyNames(std::string_view section) const {
    return document_.KeyNames(section);
  }

  // Writes one key (creating file and section as needed). Names must be
  // non-empty and free of line breaks, a section name without "]", a key name
  // without "=" and not starting with ";" or "["; values are UTF-8 without line
  // breaks. Fails on an invalid name or value or a failed disk write.
  Result<void> WriteString(std::string_view section, std::string_view key, std::string_view value);
  Result<void> WriteInt(std::string_view section, std::string_view key, int value);
  // Writes "1" or "0".
  Result<void> WriteFlag(std::string_view section, std::string_view key, bool value);
  // Removes the section (every copy of it) with its keys. A missing section
  // is no error and leaves the disk untouched.
  Result<void> EraseSection(std::string_view section);
  // Every change of `batch` in one atomic write: all of them or, on failure,
  // none (an invalid name or value refuses the whole batch). An empty batch,
  // or one that changes nothing, leaves the disk untouched.
  Result<void> Apply(const IniBatch& batch);

 private:
  Result<void> Commit(IniDocument next);

  std::filesystem::path path_;
  IniDocument document_;
  IniCharset charset_ = IniCharset::kUtf8;
  bool byteOrderMark_ = false;
  bool readable_ = true;
  std::string readError_;
};

}  // namespace moravel
