#include "settings/SkinPaths.h"

#include <algorithm>
#include <cctype>

#include "settings/CaseInsensitivePath.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// Bytes of the UTF-8 character starting at `pos` (1 for a stray byte),
// never past the end.
size_t CharacterLength(std::string_view s, size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(s[pos]);
  size_t length = 1;
  if ((lead & 0xE0) == 0xC0) length = 2;
  if ((lead & 0xF0) == 0xE0) length = 3;
  if ((lead & 0xF8) == 0xF0) length = 4;
  size_t n = 1;
  while (n < length && pos + n < s.size() &&
         (static_cast<unsigned char>(s[pos + n]) & 0xC0) == 0x80) {
    ++n;
  }
  return n;
}

// True when `folder` ("/" as the separator) would lead out of the folder it
// is put under.
bool LeadsOut(const std::string& folder) {
  const bool driveLetter =
      folder.size() >= 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0]));
  if (driveLetter || (!folder.empty() && folder.front() == '/')) return true;
  for (size_t begin = 0; begin <= folder.size();) {
    const size_t end = std::min(folder.find('/', begin), folder.size());
    if (folder.compare(begin, end - begin, "..") == 0) return true;
    begin = end + 1;
  }
  return false;
}

// True when the lexically normal `path` is `folder` or lies in it.
bool Inside(const std::filesystem::path& path, const std::filesystem::path& folder) {
  auto part = path.begin();
  for (const std::filesystem::path& wanted : folder) {
    if (wanted.empty()) continue;  // a trailing separator
    if (part == path.end() || *part != wanted) return false;
    ++part;
  }
  return part == path.end() || *part != "..";  // a relative folder has no ".." of its own
}

}  // namespace

std::string StoredNameToPosix(std::string_view storedName) {
  std::string out(storedName);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::filesystem::path SkinPath(const std::filesystem::path& exeFolder, std::string_view dir) {
  std::string path = WithTrailingSlash(Utf8Of(exeFolder)) + "skins/";
  const std::string folder = StoredNameToPosix(dir);
  if (LeadsOut(folder)) return kNoSkinFolder;
  if (!folder.empty()) path = WithTrailingSlash(path + folder);
  return PathFromUtf8(path);
}

bool IsNoSkinPath(const std::filesystem::path& path) {
  // Compared with "/" as the separator: Windows paths may hold "\".
  const std::u8string generic = path.generic_u8string();
  return std::string_view(reinterpret_cast<const char*>(generic.data()), generic.size())
      .starts_with(kNoSkinFolder);
}

std::filesystem::path SkinsFolderOf(const std::filesystem::path& skinPath) {
  std::filesystem::path skin = skinPath.lexically_normal();
  if (!skin.has_filename()) skin = skin.parent_path();  // no trailing separator
  if (skin.filename() == "skins" || skin == std::filesystem::path(kNoSkinFolder).parent_path())
    return skin;
  return skin.parent_path();
}

std::filesystem::path WithinSkins(const std::filesystem::path& skinPath,
                                  const std::filesystem::path& file) {
  std::filesystem::path normal = file.lexically_normal();
  if (Inside(normal, SkinsFolderOf(skinPath))) return normal;
  return std::filesystem::path(kNoSkinFolder) / normal.filename();
}

std::optional<std::filesystem::path> AbsolutePictureValue(std::string_view value) {
  if (value.empty() || value.front() != '?') return std::nullopt;
  return PathFromUtf8(value.substr(1));
}

std::filesystem::path PicturePath(const std::filesystem::path& skinPath, std::string_view value) {
  if (std::optional<std::filesystem::path> absolute = AbsolutePictureValue(value)) {
    return FindFileIgnoringCase(*absolute);
  }
  return ResolveSkinFile(skinPath, value);
}

std::optional<StatePictures> StatePictureNames(const std::filesystem::path& skinPath,
                                               std::string_view imageValue) {
  if (imageValue.empty()) return std::nullopt;
  // "\" and "/" are single bytes, so converting first moves no "_".
  const std::string full = Utf8Of(skinPath) + StoredNameToPosix(imageValue);
  const size_t underscore = full.rfind('_');
  if (underscore == full.npos || underscore + 1 == full.size()) return std::nullopt;
  const size_t at = underscore + 1;
  const size_t length = CharacterLength(full, at);
  auto named = [&](char state) {
    std::string name = full;
    name.replace(at, length, 1, state);
    return WithinSkins(skinPath, PathFromUtf8(name));
  };
  return StatePictures{named('u'), named('o'), named('d')};
}

}  // namespace moravel
