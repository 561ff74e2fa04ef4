// The shell link reader: links built here byte by byte for each rule, every
// truncation of a full link, and the real links of ../shared/testdata/lnk
// against the fields another parser read from them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "codecs/DibBytes.h"
#include "codecs/ShellLink.h"
#include "settings/TextEncoding.h"
#include "support/ErrorKindOf.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using testing::PutLe16;
using testing::PutLe32;
using Bytes = std::vector<uint8_t>;

// Link flags.
constexpr uint32_t kIdList = 0x1, kLinkInfo = 0x2, kName = 0x4, kRelative = 0x8, kWorkDir = 0x10,
                   kArgs = 0x20, kIcon = 0x40, kUnicode = 0x80, kNoLinkInfo = 0x100;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every built link has icon index -3, show command 3 and hotkey 0x0241.
Bytes Header(uint32_t flags) {
  Bytes out;
  PutLe32(out, 0x4C);
  out.insert(out.end(), {1, 0x14, 2, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46});
  PutLe32(out, flags);
  out.resize(0x38);
  PutLe32(out, uint32_t(-3));
  PutLe32(out, 3);
  PutLe16(out, 0x0241);
  out.resize(0x4C);
  return out;
}

void SetLe32(Bytes& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> 8 * i);
}

Bytes Ansi(std::string_view s) {
  return Bytes(s.begin(), s.end());
}
Bytes Utf16(std::u16string_view s) {
  Bytes out;
  for (char16_t c : s) PutLe16(out, c);
  return out;
}
Bytes Counted(std::u16string_view s) {
  Bytes out;
  PutLe16(out, uint32_t(s.size()));
  return out + Utf16(s);
}
Bytes CountedAnsi(std::string_view s) {
  Bytes out;
  PutLe16(out, uint32_t(s.size()));
  return out + Ansi(s);
}

// Link info with a local path (ANSI; with `wide`, Unicode forms too).
Bytes LocalInfo(std::string_view base, std::string_view suffix, std::u16string_view wideBase = {},
                std::u16string_view wideSuffix = {}, bool wide = false) {
  const uint32_t header = wide ? 0x24 : 0x1C;
  const uint32_t suffixAt = header + uint32_t(base.size()) + 1;
  const uint32_t wideAt = suffixAt + uint32_t(suffix.size()) + 1;
  Bytes out;
  for (uint32_t v : {0u, header, 1u, 0u, header, 0u, suffixAt}) PutLe32(out, v);
  if (wide) PutLe32(out, wideAt), PutLe32(out, wideAt + 2 * uint32_t(wideBase.size()) + 2);
  out = out + Ansi(base) + Bytes{0} + Ansi(suffix) + Bytes{0};
  if (wide) out = out + Utf16(wideBase) + Bytes{0, 0} + Utf16(wideSuffix) + Bytes{0, 0};
  SetLe32(out, 0, uint32_t(out.size()));
  return out;
}

Bytes NetworkInfo(std::string_view net, std::string_view suffix) {
  Bytes out;
  const uint32_t networkSize = 0x14 + uint32_t(net.size()) + 1;
  for (uint32_t v : {0u, 0x1Cu, 2u, 0u, 0u, 0x1Cu, 0x1C + networkSize}) PutLe32(out, v);
  for (uint32_t v : {networkSize, 0u, 0x14u, 0u, 0u}) PutLe32(out, v);
  out = out + Ansi(net) + Bytes{0} + Ansi(suffix) + Bytes{0};
  SetLe32(out, 0, uint32_t(out.size()));
  return out;
}

Bytes EnvironmentBlock(std::string_view ansi, std::u16string_view wide) {
  Bytes out;
  PutLe32(out, 0x314);
  PutLe32(out, 0xA0000001);
  out = out + Ansi(ansi);
  out.resize(8 + 260);
  out = out + Utf16(wide);
  out.resize(0x314);
  return out + Bytes{0, 0, 0, 0};
}

ShortcutInfo Want(ShortcutInfo info) {
  info.iconIndex = -3, info.showCommand = 3, info.hotkey = 0x0241;
  return info;
}

auto Fields(const ShortcutInfo& i) {
  return std::tie(i.targetPath, i.arguments, i.workingDirectory, i.description, i.relativePath,
                  i.iconLocation, i.iconIndex, i.hotkey, i.showCommand);
}

TEST(ShellLink, ReadsEachPartOfBuiltLinks) {
  const std::u16string lone = u"b" + std::u16string(1, char16_t(0xD800)) + u"c";
  const std::string a200(200, 'a'), b100(100, 'b');
  std::string ya260;
  for (int i = 0; i < 260; ++i) ya260 += "я";
  auto patched = [](size_t at, uint8_t value) {
    Bytes bytes = Header(0);
    bytes[at] = value;
    return bytes;
  };
  struct Case {
    const char* name;
    Bytes bytes;
    bool ok;
    ShortcutInfo want;
  } cases[] = {
      {"ansi strings are Windows-1251",
       Header(kName | kArgs) + CountedAnsi("\xCF\xF0\xE8\xE2\xE5\xF2") + CountedAnsi("/s \xEA"),
       true, Want({.arguments = "/s к", .description = "Привет"})},
      {"utf-16 strings: pairs joined, lone surrogates replaced, a NUL ends them",
       Header(kUnicode | kName | kRelative | kWorkDir | kIcon) + Counted(u"a\U0001F600") +
           Counted(lone) + Counted(std::u16string(u"C:\\w\0junk", 9)) + Counted(u"i.ico"),
       true,
       Want({.workingDirectory = "C:\\w",
             .description = "a😀",
             .relativePath = "b\uFFFDc",
             .iconLocation = "i.ico"})},
      {"300-character arguments cut to 260 characters",
       Header(kUnicode | kArgs) + Counted(std::u16string(300, u'я')), true,
       Want({.arguments = ya260})},
      {"300-character ANSI icon location cut to 260 characters",
       Header(kIcon) + CountedAnsi(std::string(300, '\xFF')), true, Want({.iconLocation = ya260})},
      {"name, relative path and working folder take at most 260 characters of the file",
       Header(kUnicode | kWorkDir | kArgs) + Bytes{44, 1} + Utf16(std::u16string(260, u'w')) +
           Counted(u"-a"),
       true, Want({.arguments = "-a", .workingDirectory = std::string(260, 'w')})},
      {"local base path and suffix, after an item id list",
       Header(kIdList | kLinkInfo) + Bytes{3, 0, 1, 2, 3} +
           LocalInfo("C:\\\xC4\xE8\xEC\xE0\\", "a"),
       true, Want({.targetPath = "C:\\Дима\\a"})},
      {"unicode forms preferred", Header(kLinkInfo) + LocalInfo("C:\\?", "?", u"C:\\Ж", u"ы", true),
       true, Want({.targetPath = "C:\\Жы"})},
      {"network share and suffix", Header(kLinkInfo) + NetworkInfo("\\\\srv\\docs", "a\\b.pdf"),
       true, Want({.targetPath = "\\\\srv\\docs\\a\\b.pdf"})},
      {"target cut to 260 characters", Header(kLinkInfo) + LocalInfo(a200, b100), true,
       Want({.targetPath = a200 + b100.substr(0, 60)})},
      {"environment block when there is no link info",
       Header(kUnicode) + EnvironmentBlock("C:\\a.exe", u"%windir%\\w.exe"), true,
       Want({.targetPath = "%windir%\\w.exe"})},
      {"environment block in ANSI", Header(0) + EnvironmentBlock("%x%\\\xFF.exe", u""), true,
       Want({.targetPath = "%x%\\я.exe"})},
      {"link info wins over the environment block",
       Header(kLinkInfo) + LocalInfo("D:\\", "x") + EnvironmentBlock("C:\\a", u"C:\\a"), true,
       Want({.targetPath = "D:\\x"})},
      {"ignored link info still skipped",
       Header(kLinkInfo | kNoLinkInfo | kName | kUnicode) + LocalInfo("D:\\", "x") + Counted(u"n"),
       true, Want({.description = "n"})},
      {"wrong header size", patched(0, 0x4D), false, {}},
      {"wrong class id", patched(19, 0x47), false, {}},
      {"short header", Bytes(0x4B, 0x4C), false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Result<ShortcutInfo> info = ParseShortcut(c.bytes);
    EXPECT_EQ(test::ErrorKindOf(info), c.ok ? std::nullopt : std::optional(ErrorKind::kMalformed));
    if (!info) continue;
    EXPECT_EQ(info->linkFile, "");
    EXPECT_EQ(Fields(*info), Fields(c.want));
  }
}

TEST(ShellLink, EveryTruncationKeepsWhatCameBeforeTheCut) {
  const Bytes full =
      Header(kIdList | kLinkInfo | kName | kRelative | kWorkDir | kArgs | kIcon | kUnicode) +
      Bytes{2, 0, 7, 7} + LocalInfo("C:\\", "t.exe") + Counted(u"name") + Counted(u"..\\t.exe") +
      Counted(u"C:\\") + Counted(u"-x") + Counted(u"t.ico");
  const ShortcutInfo want = Want({.targetPath = "C:\\t.exe",
                                  .arguments = "-x",
                                  .workingDirectory = "C:\\",
                                  .description = "name",
                                  .relativePath = "..\\t.exe",
                                  .iconLocation = "t.ico"});
  int filledBefore = 0;
  for (size_t n = 0; n <= full.size(); ++n) {
    SCOPED_TRACE(n);
    const Result<ShortcutInfo> read = ParseShortcut(std::span(full).first(n));
    const bool ok = read.ok();
    const ShortcutInfo info = ok ? *read : ShortcutInfo{};
    EXPECT_EQ(ok, n >= 0x4C);
    EXPECT_EQ(info.iconIndex, ok ? -3 : 0);
    // Fields appear in file order, whole or not at all.
    int filled = 0;
    for (auto field :
         {&ShortcutInfo::targetPath, &ShortcutInfo::description, &ShortcutInfo::relativePath,
          &ShortcutInfo::workingDirectory, &ShortcutInfo::arguments, &ShortcutInfo::iconLocation}) {
      if ((info.*field).empty()) continue;
      EXPECT_EQ(info.*field, want.*field);
      ++filled;
    }
    EXPECT_GE(filled, filledBefore);
    filledBefore = filled;
    if (n == full.size()) {
      EXPECT_EQ(Fields(info), Fields(want));
    }
  }
}

TEST(ShellLink, ReadShortcutReadsTheFileOrSaysWhyNot) {
  test::TempFolder folder;
  const Bytes link = Header(kUnicode | kArgs) + Counted(u"-v");
  std::ofstream(folder / "a.lnk", std::ios::binary)
      .write(reinterpret_cast<const char*>(link.data()), std::streamsize(link.size()));
  Result<ShortcutInfo> info = ReadShortcut(folder / "a.lnk");
  ASSERT_TRUE(info) << info.error().message;
  EXPECT_EQ(info->arguments, "-v");
  EXPECT_EQ(info->linkFile, (folder / "a.lnk").string());
  // Past its first MiB a link holds only extra data blocks: they go unread.
  std::filesystem::resize_file(folder / "a.lnk", 3 << 20);
  info = ReadShortcut(folder / "a.lnk");
  ASSERT_TRUE(info) << info.error().message;
  EXPECT_EQ(info->arguments, "-v");
  EXPECT_EQ(test::ErrorKindOf(ReadShortcut(folder / "missing.lnk")), ErrorKind::kNotFound);
  std::ofstream(folder / "b.lnk") << "no link";
  EXPECT_EQ(test::ErrorKindOf(ReadShortcut(folder / "b.lnk")), ErrorKind::kMalformed);
}

// ---- Real links: base64 text, beside the fields another parser read as JSON ----

std::string ReadText(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

Bytes FromBase64(std::string_view text) {
  constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Bytes out;
  uint32_t bits = 0, count = 0;
  for (char c : text) {
    const size_t digit = kDigits.find(c);
    if (digit == std::string_view::npos) continue;  // padding and line breaks
    bits = bits << 6 | uint32_t(digit);
    if ((count += 6) >= 8) out.push_back(uint8_t(bits >> (count -= 8)));
  }
  return out;
}

// The value after the first `"key": ` from `from` on: a string's characters
// (escapes decoded) or a bare token (number, null).
std::optional<std::u32string> JsonValue(const std::string& json, const std::string& key,
                                        size_t from = 0) {
  size_t i = json.find('"' + key + "\": ", from);
  if (i == std::string::npos) return std::nullopt;
  i += key.size() + 4;
  const bool string = json[i] == '"';
  std::u32string out;
  auto hex = [&](size_t at) { return char32_t(std::stoul(json.substr(at, 4), nullptr, 16)); };
  for (i += string;
       i < json.size() &&
       (string ? json[i] != '"' : std::string_view(",\n}").find(json[i]) == std::string_view::npos);
       ++i) {
    if (json[i] != '\\') {
      out += char32_t(uint8_t(json[i]));  // the files are ASCII
    } else if (json[++i] != 'u') {
      out += json[i] == 'n' ? U'\n' : json[i] == 't' ? U'\t' : char32_t(json[i]);
    } else {
      char32_t c = hex(i + 1);
      i += 4;
      if (c >= 0xD800 && c < 0xDC00) {  // a pair, \uD83D\uDE00
        c = 0x10000 + ((c - 0xD800) << 10) + hex(i + 3) - 0xDC00;
        i += 6;
      }
      out += c;
    }
  }
  return out;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += char(c);
    } else {
      const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
      const uint8_t lead[] = {0, 0xC0, 0xE0, 0xF0};
      out += char(lead[tail] | c >> 6 * tail);
      for (int k = tail - 1; k >= 0; --k) out += char(0x80 | (c >> 6 * k & 0x3F));
    }
  }
  return out;
}

// The other parser read ANSI text as Windows-1252: back to its bytes, up to a
// character that 1252 leaves undefined (U+FFFD, its byte lost), where `whole`
// turns false.
std::string AnsiBytes(std::u32string_view text, bool& whole) {
  constexpr std::u32string_view k80To9F =
      U"€\uFFFD‚ƒ„…†‡ˆ‰Š‹Œ\uFFFDŽ\uFFFD\uFFFD‘’“”•–—˜™š›œ\uFFFDžŸ";
  std::string bytes;
  for (char32_t c : text) {
    const size_t high = c == 0xFFFD ? std::u32string_view::npos : k80To9F.find(c);
    if (c >= 0x100 && high == std::u32string_view::npos) {
      whole = false;
      break;
    }
    bytes += char(high == std::u32string_view::npos ? c : 0x80 + high);
  }
  return bytes;
}

// What targetPath should hold: the local or network path of the link info,
// else the environment block's target.
std::string ExpectedTarget(const std::string& json, bool& whole) {
  auto ansi = [&](const char* key) { return AnsiBytes(JsonValue(json, key).value_or(U""), whole); };
  const std::u32string location = JsonValue(json, "location").value_or(U"");
  std::string bytes = ansi("common_path_suffix");
  if (location == U"Local") bytes = ansi("local_base_path") + bytes;
  if (location == U"Network") bytes = ansi("net_name") + (bytes.empty() ? "" : "\\" + bytes);
  if (!location.empty()) return Cp1251ToUtf8(bytes.substr(0, kShortcutTextMax));
  const size_t block = json.find("ENVIRONMENTAL_VARIABLES_LOCATION_BLOCK");
  if (block == std::string::npos) return "";
  return Utf8(JsonValue(json, "target_unicode", block).value_or(U"").substr(0, kShortcutTextMax));
}

TEST(ShellLinkSamples, MatchTheFieldsAnotherParserRead) {
  const std::filesystem::path root = std::filesystem::path(MORAVEL_SHARED_TEST_DATA) / "lnk";
  if (!std::filesystem::is_directory(root / "samples"))
    GTEST_SKIP() << "needs ../shared/testdata/lnk beside the project";
  const std::map<std::u32string, int> kShow{
      {U"SW_SHOWNORMAL", 1}, {U"SW_SHOWMAXIMIZED", 3}, {U"SW_SHOWMINNOACTIVE", 7}};
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root / "samples")) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const Result<ShortcutInfo> read = ParseShortcut(FromBase64(ReadText(entry.path())));
    const bool ok = read.ok();
    const ShortcutInfo info = ok ? *read : ShortcutInfo{};
    const std::string json = ReadText(root / "json" / (name + ".json"));
    if (json.empty()) continue;  // nothing to compare: read without a crash is all
    ASSERT_TRUE(ok);
    auto text = [&](const char* key) {
      return Utf8(JsonValue(json, key).value_or(U"").substr(0, kShortcutTextMax));
    };
    auto number = [&](const char* key) { return std::stoi(text(key)); };
    bool whole = true;
    const std::string target = ExpectedTarget(json, whole);
    ShortcutInfo want{"",
                      target,
                      text("command_line_arguments"),
                      text("working_directory"),
                      text("description"),
                      text("relative_path"),
                      text("icon_location"),
                      number("icon_index"),
                      uint16_t(number("r_hotkey")),
                      kShow.at(*JsonValue(json, "windowstyle"))};
    if (!whole) {  // only the start of the target is known
      EXPECT_EQ(info.targetPath.substr(0, target.size()), target);
      want.targetPath = info.targetPath;
    }
    EXPECT_EQ(Fields(info), Fields(want));
    ++compared;
  }
  EXPECT_GE(compared, 30);
}

}  // namespace
}  // namespace moravel
