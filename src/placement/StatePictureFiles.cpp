#include "placement/StatePictureFiles.h"

#include <regex>
#include <set>
#include <system_error>

#include "codecs/ScaledPictureFile.h"
#include "raster/WholeScale.h"
#include "settings/CaseFold.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/SkinPaths.h"

namespace moravel {
namespace {

// A stored name as the disk compares it, with its state letter made 'u'.
std::string Key(std::string_view stored) {
  return FoldCase(StoredNameToPosix(WithStateLetter(stored, 'u')));
}

}  // namespace

std::string WithStateLetter(std::string_view stored, char state) {
  std::string name(stored);
  const size_t underscore = name.rfind('_');
  if (underscore == std::string::npos || underscore + 1 >= name.size()) return name;
  // A multi-byte UTF-8 character after "_" is replaced whole.
  size_t end = underscore + 2;
  while (end < name.size() && (uint8_t(name[end]) & 0xC0) == 0x80) ++end;
  name.replace(underscore + 1, end - underscore - 1, 1, state);
  return name;
}

bool IsMadePictureName(std::string_view stored) {
  static const std::regex made("temp/freebutton[0-9]+(-[0-9]+)?_[a-z]\\.png");
  return std::regex_match(FoldCase(StoredNameToPosix(stored)), made);
}

std::string FreeStatePictureName(int n, const IniFile& user) {
  static const std::regex button("button[0-9]+", std::regex::icase);
  std::set<std::string> named;
  for (const std::string& section : user.SectionNames()) {
    if (!std::regex_match(section, button)) continue;
    const std::string image = user.ReadString(section, "image", "");
    if (!image.empty()) named.insert(Key(image));
  }
  std::string name = StatePictureName(n, 'u');
  for (int generation = 2; named.count(Key(name)); ++generation)
    name = "temp\\freebutton" + std::to_string(n) + "-" + std::to_string(generation) + "_u.png";
  return name;
}

void RemoveScaledSiblings(const std::filesystem::path& file) {
  for (int scale = 2; scale <= kMaxScale; ++scale) {
    std::error_code ec;
    std::filesystem::remove(FindFileIgnoringCase(ScaledSiblingName(file, scale)), ec);
  }
}

}  // namespace moravel
