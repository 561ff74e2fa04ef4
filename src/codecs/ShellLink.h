#pragma once
// Windows shell links (.lnk files), read by our own bounded parser: the
// header with its class id and flags, the item id list (skipped), the link
// info (local base path, network share, common path suffix, ANSI and Unicode
// forms) and the string data (name, relative path, working folder,
// arguments, icon location). Text is returned as UTF-8: ANSI strings are read
// in Windows-1251, the code page the program's skins come from, UTF-16 with
// unpaired surrogates as U+FFFD; a NUL ends any text. Every text field holds
// at most 260 characters (longer ones are cut), as the Windows structures did;
// like Windows, the reader also takes at most 260 characters of the name,
// relative path and working folder from the file, whatever their counts say,
// so a link cannot hide its real arguments from us.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "base/Result.h"

namespace moravel {

struct ShortcutInfo {
  std::string linkFile;  // the .lnk file read (empty for bytes parsed)
  // File or folder the link points to, Windows form ("C:\..."): the local
  // base path and common suffix of the link info, or its share name, "\" and
  // the suffix; when the link has neither, the target of its environment
  // variables block, as written ("%windir%\notepad.exe").
  std::string targetPath;
  std::string arguments;  // command-line arguments
  std::string workingDirectory;
  std::string description;   // the link's name string
  std::string relativePath;  // target relative to the link's own folder ("..\x\y.exe")
  std::string iconLocation;  // file the link takes its icon from
  int32_t iconIndex = 0;
  uint16_t hotkey = 0;
  int32_t showCommand = 0;
};

// The longest text field kept, in characters.
inline constexpr size_t kShortcutTextMax = 260;

// Every field but linkFile from the bytes of a link file; kMalformed for bytes
// that are no shell link (wrong header size or class id). A link damaged
// after its header gives what could be read before the damage. Never reads
// outside `bytes`.
Result<ShortcutInfo> ParseShortcut(std::span<const uint8_t> bytes);

// Reads `linkFile` and parses it (linkFile is filled); of a file longer than
// 1 MiB only the first MiB is read (only extra data blocks lie that far). A
// file that cannot be read gives the kind of the read (kNotFound, kNotAFile,
// ...), one that is no shell link kMalformed.
Result<ShortcutInfo> ReadShortcut(const std::filesystem::path& linkFile);

}  // namespace moravel
