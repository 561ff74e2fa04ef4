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

namespace moravel {

struct ShortcutInfo {
  std::string linkFile;  // the .lnk file read (filled by the caller)
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

// Fills every field but linkFile from the bytes of a link file. Returns false
// for bytes that are no shell link (wrong header size or class id); the
// fields are then empty or 0. A link damaged after its header gives what
// could be read before the damage. Never reads outside `bytes`.
bool ParseShortcut(std::span<const uint8_t> bytes, ShortcutInfo& info);

// Reads info.linkFile and parses it; of a file longer than 1 MiB only the
// first MiB is read (only extra data blocks lie that far). False when the
// file cannot be read or is no shell link; the other fields are then empty.
bool ReadShortcut(ShortcutInfo& info);

}  // namespace moravel
