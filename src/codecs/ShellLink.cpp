#include "codecs/ShellLink.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "codecs/ByteReader.h"
#include "settings/FileIo.h"
#include "settings/TextEncoding.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

constexpr size_t kHeaderSize = 0x4C;
constexpr uint8_t kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr size_t kMaxFileBytes = 1 << 20;

// LinkFlags of the header.
constexpr uint32_t kHasIdList = 0x1, kHasLinkInfo = 0x2, kHasName = 0x4, kHasRelativePath = 0x8,
                   kHasWorkingDir = 0x10, kHasArguments = 0x20, kHasIconLocation = 0x40,
                   kIsUnicode = 0x80, kForceNoLinkInfo = 0x100;
// LinkInfoFlags.
constexpr uint32_t kLocalPath = 0x1, kNetworkPath = 0x2;
// The extra data block holding the target with environment variables
// (%windir%\...): ANSI text of 260 bytes at 8, UTF-16 of 520 bytes at 268.
constexpr uint32_t kEnvironmentBlock = 0xA0000001;
constexpr size_t kEnvironmentBlockSize = 0x314, kEnvAnsiAt = 8, kEnvWideAt = 268;

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | c >> 6));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(char(0xE0 | c >> 12));
    out.push_back(char(0x80 | (c >> 6 & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xF0 | c >> 18));
    out.push_back(char(0x80 | (c >> 12 & 0x3F)));
    out.push_back(char(0x80 | (c >> 6 & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

// UTF-16LE `bytes` (an odd last byte ignored) as UTF-8, up to the first NUL
// and at most kShortcutTextMax characters; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  const size_t units = bytes.size() / 2;
  auto unit = [&](size_t i) { return uint32_t(bytes[2 * i] | bytes[2 * i + 1] << 8); };
  size_t chars = 0;
  for (size_t i = 0; i < units && chars < kShortcutTextMax; ++i, ++chars) {
    uint32_t c = unit(i);
    if (c == 0) break;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

// Windows-1251 `bytes` as UTF-8, up to the first NUL and at most
// kShortcutTextMax characters (one byte is one character in this code page).
std::string AnsiToUtf8(std::span<const uint8_t> bytes) {
  size_t n = std::find(bytes.begin(), bytes.end(), 0) - bytes.begin();
  n = std::min(n, kShortcutTextMax);
  return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), n));
}

// Cuts valid UTF-8 `text` to kShortcutTextMax characters.
void CutToTextMax(std::string& text) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((uint8_t(text[i]) & 0xC0) != 0x80 && chars++ == kShortcutTextMax) {
      text.resize(i);
      return;
    }
  }
}

// A NUL-terminated string at `offset` of `area` (the end of the area ends it
// too); nothing when the offset is 0 or outside.
std::optional<std::string> TextAt(std::span<const uint8_t> area, uint32_t offset, bool wide) {
  if (offset == 0 || offset >= area.size()) return std::nullopt;
  auto bytes = area.subspan(offset);
  return wide ? Utf16ToUtf8(bytes) : AnsiToUtf8(bytes);
}

// The Unicode form of a string when the structure has one, else the ANSI form.
std::string PreferWide(std::span<const uint8_t> area, uint32_t ansiOffset, uint32_t wideOffset) {
  if (auto wide = TextAt(area, wideOffset, true)) return *wide;
  return TextAt(area, ansiOffset, false).value_or("");
}

// The share name of a CommonNetworkRelativeLink starting at `offset` of the
// link info `info`.
std::string NetName(std::span<const uint8_t> info, uint32_t offset) {
  if (offset >= info.size()) return {};
  ByteReader in(info.subspan(offset));
  const uint32_t size = in.U32(0), nameOffset = in.U32(8);
  const uint32_t wideOffset = nameOffset > 0x14 ? in.U32(20) : 0;
  if (!in.ok()) return {};
  auto area = info.subspan(offset, std::min<size_t>(size, info.size() - offset));
  return PreferWide(area, nameOffset, wideOffset);
}

// The target path from the link info `info` (its LinkInfoSize bytes): local
// base path + common path suffix, or share name + "\" + suffix.
std::string TargetFromLinkInfo(std::span<const uint8_t> info) {
  ByteReader in(info);
  const uint32_t headerSize = in.U32(4), flags = in.U32(8), localOffset = in.U32(16),
                 networkOffset = in.U32(20), suffixOffset = in.U32(24);
  const bool hasWide = headerSize >= 0x24;
  const uint32_t localWide = hasWide ? in.U32(28) : 0, suffixWide = hasWide ? in.U32(32) : 0;
  if (!in.ok()) return {};
  const std::string suffix = PreferWide(info, suffixOffset, suffixWide);
  std::string target;
  if (flags & kLocalPath) {
    std::string base = PreferWide(info, localOffset, localWide);
    if (!base.empty()) target = base + suffix;
  }
  if (target.empty() && (flags & kNetworkPath)) {
    target = NetName(info, networkOffset);
    if (!target.empty() && !suffix.empty()) {
      if (target.back() != '\\') target += '\\';
      target += suffix;
    }
  }
  CutToTextMax(target);
  return target;
}

// The target of the environment-variables extra data block, if the extra data
// starting at `at` has one.
std::string TargetFromExtraData(std::span<const uint8_t> bytes, size_t at) {
  ByteReader in(bytes);
  while (in.Has(at, 8)) {
    const uint32_t size = in.U32(at), signature = in.U32(at + 4);
    if (size < 8 || !in.Has(at, size)) break;  // the terminal block, or damage
    if (signature == kEnvironmentBlock && size >= kEnvironmentBlockSize) {
      auto block = bytes.subspan(at, kEnvironmentBlockSize);
      std::string target = Utf16ToUtf8(block.subspan(kEnvWideAt));
      return target.empty() ? AnsiToUtf8(block.subspan(kEnvAnsiAt, kEnvWideAt - kEnvAnsiAt))
                            : target;
    }
    at += size;
  }
  return {};
}

// Reads the string data and what follows; stops at the first damage.
void ReadAfterHeader(std::span<const uint8_t> bytes, uint32_t flags, ShortcutInfo& info) {
  ByteReader in(bytes);
  size_t at = kHeaderSize;
  if (flags & kHasIdList) {
    const uint16_t size = in.U16(at);
    if (!in.ok() || !in.Has(at + 2, size)) return;
    at += 2 + size;
  }
  if (flags & kHasLinkInfo) {
    const uint32_t size = in.U32(at);
    if (!in.ok() || size < 0x1C || !in.Has(at, size)) return;
    if (!(flags & kForceNoLinkInfo)) info.targetPath = TargetFromLinkInfo(bytes.subspan(at, size));
    at += size;
  }
  const bool wide = flags & kIsUnicode;
  const std::pair<uint32_t, std::string*> strings[] = {{kHasName, &info.description},
                                                       {kHasRelativePath, &info.relativePath},
                                                       {kHasWorkingDir, &info.workingDirectory},
                                                       {kHasArguments, &info.arguments},
                                                       {kHasIconLocation, &info.iconLocation}};
  for (const auto& [flag, field] : strings) {
    if (!(flags & flag)) continue;
    size_t chars = in.U16(at);
    // Windows takes at most 260 characters of the name, relative path and
    // working folder, whatever their count says, and reads the next string
    // right after them; links made to hide their real arguments rely on it.
    if (flag & (kHasName | kHasRelativePath | kHasWorkingDir))
      chars = std::min(chars, kShortcutTextMax);
    const size_t length = chars * (wide ? 2 : 1);
    if (!in.ok() || !in.Has(at + 2, length)) return;
    auto text = bytes.subspan(at + 2, length);
    *field = wide ? Utf16ToUtf8(text) : AnsiToUtf8(text);
    at += 2 + length;
  }
  if (info.targetPath.empty()) info.targetPath = TargetFromExtraData(bytes, at);
}

}  // namespace

Result<ShortcutInfo> ParseShortcut(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  const uint32_t headerSize = in.U32(0);
  if (!in.ok() || headerSize != kHeaderSize || !in.Has(0, kHeaderSize) ||
      std::memcmp(bytes.data() + 4, kLinkClassId, sizeof kLinkClassId) != 0)
    return Error{ErrorKind::kMalformed, "not a shell link"};
  ShortcutInfo info;
  const uint32_t flags = in.U32(0x14);
  info.iconIndex = in.I32(0x38);
  info.showCommand = in.I32(0x3C);
  info.hotkey = in.U16(0x40);
  ReadAfterHeader(bytes, flags, info);
  return info;
}

Result<ShortcutInfo> ReadShortcut(const std::filesystem::path& linkFile) {
  // Links are a few KiB; a longer file loses only extra data blocks, which
  // lie at its end.
  const Result<FileBytes> read = ReadWholeFile(linkFile, kMaxFileBytes, LongFile::kCut);
  if (!read) return read.error();
  Result<ShortcutInfo> info = ParseShortcut(read->bytes);
  if (info) info->linkFile = Utf8Of(linkFile);
  return info;
}

}  // namespace moravel
