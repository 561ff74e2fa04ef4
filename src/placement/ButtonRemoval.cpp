#include "placement/ButtonRemoval.h"

#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "codecs/PictureLimits.h"
#include "codecs/ScaledPictureFile.h"
#include "placement/ButtonMessages.h"
#include "placement/StatePictureFiles.h"
#include "raster/WholeScale.h"
#include "settings/CaseFold.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/FileIo.h"
#include "settings/NumberedItems.h"
#include "settings/SkinPaths.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

std::string Section(int k) {
  return "button" + std::to_string(k);
}

// A stored picture name compared as the disk would: "\" as "/", any case.
std::string Folded(const std::string& storedName) {
  return FoldCase(StoredNameToPosix(storedName));
}

// The file of picture `stored` in state `state` as it lies on the disk.
fs::path StateFile(const fs::path& skin, const std::string& stored, char state) {
  return FindFileIgnoringCase(skin / StoredNameToPosix(WithStateLetter(stored, state)));
}

}  // namespace

Result<void> ButtonRemoval::RemoveButton(int number) {
  SettingsFiles& files = model_.files;
  if (!files.user) return Error{ErrorKind::kFailed, "the desktop has not started"};
  IniFile& user = *files.user;
  DesktopWindowPort& window = model_.services.window;
  if (!user.readable()) {
    Error why{ErrorKind::kFailed, ButtonTable::UnreadableRecordsMessage(user)};
    window.ShowMessage(why.message);
    return why;
  }
  const int s = number;
  const int last = CountNumberedSections("button", user);
  if (s < 1 || s > last) return Error{ErrorKind::kNotFound, "no such button"};
  const fs::path& skin = files.skinPath;
  const std::string removedImage = user.ReadString(Section(s), "image", "");
  const std::string lastImage = user.ReadString(Section(last), "image", "");
  const bool moveMade = s != last && IsMadePictureName(lastImage);

  // 1. The last button's made pictures under a fresh name.
  std::string image = lastImage;
  std::vector<fs::path> copies;
  auto fail = [&](const Error& error) {
    std::error_code ec;
    for (const fs::path& file : copies) fs::remove(file, ec);
    Error told = WriteFailure(error, skin);
    window.ShowMessage(told.message);
    return told;
  };
  if (moveMade) {
    image = FreeStatePictureName(s, user);
    for (char state : kStateLetters) {
      const fs::path source = StateFile(skin, lastImage, state);
      const fs::path target = skin / StoredNameToPosix(WithStateLetter(image, state));
      for (int scale = 1; scale <= kMaxScale; ++scale) {  // the file, then its scaled siblings
        const fs::path from =
            scale == 1 ? source : FindFileIgnoringCase(ScaledSiblingName(source, scale));
        const fs::path to = scale == 1 ? target : ScaledSiblingName(target, scale);
        copies.push_back(to);  // also a leftover of no button under that name goes
        Result<FileBytes> read = ReadWholeFile(from, kMaxPictureFileBytes);
        if (!read && read.error().kind == ErrorKind::kNotFound) {
          std::error_code ec;
          fs::remove(to, ec);
          continue;  // no such picture: none under the new name either
        }
        // A picture that cannot be read is no refused write: the general text.
        if (!read) return fail(Error{ErrorKind::kFailed, read.error().message});
        if (Result<void> written = WriteFileAtomically(to, read->text()); !written)
          return fail(written.error());
      }
    }
  }

  // 2. The records in one update.
  IniBatch batch;
  if (s != last) {
    const std::string from = Section(last);
    const ButtonRecord moved{user.ReadString(from, "object", ""),
                             user.ReadString(from, "param", ""),
                             user.ReadInt(from, "x", 0),
                             user.ReadInt(from, "y", 0),
                             image,
                             user.ReadFlag(from, "tr", false)};
    batch = ButtonTable::RecordUpdate(s, moved);
  }
  batch.EraseSection(Section(last));
  if (Result<void> applied = user.Apply(batch); !applied) return fail(applied.error());

  // 3. Made pictures no record names any more.
  std::set<std::string> named;
  for (int k = 1; k < last; ++k)
    named.insert(Folded(WithStateLetter(user.ReadString(Section(k), "image", ""), 'u')));
  // Also the usual names of both numbers, which a killed step may have left.
  std::vector<std::string> stale = {StatePictureName(s, 'u'), StatePictureName(last, 'u')};
  if (IsMadePictureName(removedImage)) stale.push_back(removedImage);
  if (moveMade) stale.push_back(lastImage);
  for (const std::string& old : stale) {
    if (named.count(Folded(WithStateLetter(old, 'u')))) continue;
    for (char state : kStateLetters) {
      const fs::path file = StateFile(skin, old, state);
      std::error_code ec;
      fs::remove(file, ec);
      RemoveScaledSiblings(file);
    }
  }

  // The desktop: the removed button goes, the last one answers to its number.
  ButtonTable& buttons = model_.buttons;
  buttons.Remove(s);
  if (s != last && last == buttons.count()) buttons.MoveLastInto(s);
  return {};
}

}  // namespace moravel
