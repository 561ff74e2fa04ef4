#include "placement/ButtonRemoval.h"

#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "codecs/PictureFile.h"
#include "codecs/PngFile.h"
#include "placement/StatePictureFiles.h"
#include "settings/CaseFold.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/NumberedItems.h"
#include "settings/SkinPaths.h"

namespace moravel {
namespace {

std::string Section(int k) {
  return "button" + std::to_string(k);
}

// A stored picture name compared as the disk would: "\" as "/", any case.
std::string Folded(const std::string& storedName) {
  return FoldCase(StoredNameToPosix(storedName));
}

}  // namespace

bool ButtonRemoval::RemoveSelectedButton() {
  SettingsFiles& files = model_.files;
  if (!files.user) return false;
  IniFile& user = *files.user;
  const int s = model_.pointer.selectedButton;
  const int last = CountNumberedSections("button", user);
  if (s < 1 || s > last) return false;
  const std::filesystem::path& skin = files.skinPath;
  const std::string lastImage = user.ReadString(Section(last), "image", "");
  const bool ownPictures = Folded(lastImage) == Folded(StatePictureName(last, 'u'));

  // 1. The last button's own pictures under the freed number's names.
  std::vector<std::filesystem::path> stale;  // files that may be named by no record afterwards
  std::vector<std::filesystem::path> gone;   // states the moved button has not: never shown again
  for (char state : kStateLetters)
    stale.push_back(skin / StoredNameToPosix(StatePictureName(last, state)));
  std::string image = lastImage;
  if (s != last && ownPictures) {
    image = StatePictureName(s, 'u');
    for (char state : kStateLetters) {
      const auto from =
          FindFileIgnoringCase(skin / StoredNameToPosix(StatePictureName(last, state)));
      const auto to = skin / StoredNameToPosix(StatePictureName(s, state));
      DecodeResult picture = LoadPictureFile(from, PictureFormat::Png);
      if (!picture.ok()) {
        gone.push_back(to);  // no such state: none under the new name either
        continue;
      }
      if (SavePngFile(to, *picture.picture, PngSpeed::Fast) != PngSaveResult::kSaved) return false;
    }
  } else if (s != last) {
    for (char state : kStateLetters)
      stale.push_back(skin / StoredNameToPosix(StatePictureName(s, state)));
  }

  // 2. The records in one update.
  IniBatch batch;
  if (s != last) {
    const std::string from = Section(last);
    ButtonRecord moved{user.ReadString(from, "object", ""),
                       user.ReadString(from, "param", ""),
                       user.ReadInt(from, "x", 0),
                       user.ReadInt(from, "y", 0),
                       image,
                       user.ReadFlag(from, "tr", false)};
    batch = ButtonTable::RecordUpdate(s, moved);
  }
  batch.EraseSection(Section(last));
  if (!user.Apply(batch)) return false;

  // 3. Pictures no record names any more.
  std::set<std::string> named;
  for (int k = 1; k < last; ++k) named.insert(Folded(user.ReadString(Section(k), "image", "")));
  for (const std::filesystem::path& file : gone) {
    std::error_code ec;
    std::filesystem::remove(FindFileIgnoringCase(file), ec);
  }
  for (const std::filesystem::path& file : stale) {
    const std::string up = file.filename().string();
    const std::string upName = "temp\\" + up.substr(0, up.size() - 6) + "_u.png";
    if (named.count(Folded(upName))) continue;
    std::error_code ec;
    std::filesystem::remove(FindFileIgnoringCase(file), ec);
  }

  // The desktop: the removed button goes, the last one answers to its number.
  ButtonTable& buttons = model_.buttons;
  buttons.Remove(s);
  if (s != last && last == buttons.count()) buttons.MoveLastInto(s);
  model_.pointer.selectedButton = 0;
  model_.Publish();
  return true;
}

}  // namespace moravel
