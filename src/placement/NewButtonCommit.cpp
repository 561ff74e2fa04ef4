#include "placement/NewButtonCommit.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "codecs/PngFile.h"
#include "codecs/ScaledPictureFile.h"
#include "editor/FaceParams.h"
#include "placement/ButtonTarget.h"
#include "placement/StatePictureFiles.h"
#include "raster/WholeScale.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/SkinPaths.h"
#include "settings/Utf8Path.h"

namespace moravel {

Error NewButtonCommit::Refuse(Error why) {
  model_.services.window.ShowMessage(why.message);
  return why;
}

Result<int> NewButtonCommit::CommitNewButton(const NewButtonDesign& design, int left, int top) {
  SettingsFiles& files = model_.files;
  if (!files.config || !files.user) return Error{ErrorKind::kFailed, "the desktop has not started"};
  IniFile& user = *files.user;
  if (!user.readable())
    return Refuse(Error{ErrorKind::kFailed, ButtonTable::UnreadableRecordsMessage(user)});
  const std::optional<int> number = model_.buttons.NextNumber();
  if (!number) return Refuse(Error{ErrorKind::kNoSpace, kDesktopFullMessage});
  const int n = *number;
  const ButtonTarget target = ResolveButtonTarget(design.target, design.action);
  if (auto why = UnstorableTargetMessage(target))
    return Refuse(Error{ErrorKind::kMalformed, std::move(*why)});
  const std::filesystem::path& skin = files.skinPath;
  const std::filesystem::path temp = skin / "temp";
  std::error_code ec;
  std::filesystem::create_directories(temp, ec);
  if (ec) {
    Error error = Error::FromErrno(ec.value(), Utf8Of(temp));
    error.message = ec.message();  // the general text names the system's cause alone
    return Refuse(WriteFailure(error, skin));
  }

  // 1. The pictures, under a name no record uses. A state whose template
  // picture cannot be read stays empty; the up state must not.
  const std::string upName = FreeStatePictureName(n, user);
  const std::string section = "freebutton" + std::to_string(design.templateNumber);
  DesktopButton button;
  const std::array<ButtonState, 3> states = {ButtonState::kUp, ButtonState::kOver,
                                             ButtonState::kDown};
  const std::array<Picture*, 3> pictures = {&button.upPicture, &button.overPicture,
                                            &button.downPicture};
  std::array<FaceParams, 3> params;
  std::array<std::string, 3> templates;
  std::array<std::filesystem::path, 3> stateFiles;
  std::vector<std::filesystem::path> written;
  auto undo = [&](Error why) {
    for (const std::filesystem::path& file : written) std::filesystem::remove(file, ec);
    return Refuse(std::move(why));
  };
  // Writes `face` to `file`, or removes what the failed write left.
  auto save = [&](const std::filesystem::path& file, const Bitmap& face) -> Result<void> {
    Result<void> saved = SavePngFile(file, face, PngSpeed::Fast);
    if (!saved) {
      std::filesystem::remove(file, ec);
      return saved;
    }
    written.push_back(file);
    return saved;
  };
  for (size_t i = 0; i < states.size(); ++i) {
    params[i] = states[i] == ButtonState::kUp ? design.upParams
                                              : ReadFaceParams(*files.config, section, states[i]);
    const std::string image = TemplateImageName(*files.config, section, states[i]);
    templates[i] = image.empty() ? std::string() : Utf8Of(ResolveSkinFile(skin, image));
    Result<Bitmap> face =
        renderer_.RenderButtonFace(templates[i], design.iconSource, params[i], design.caption);
    stateFiles[i] = skin / StoredNameToPosix(WithStateLetter(upName, kStateLetters[i]));
    const std::filesystem::path& file = stateFiles[i];
    RemoveScaledSiblings(file);  // leftovers of no button would show on a scaled screen
    if (!face) {
      if (states[i] == ButtonState::kUp)
        return undo(Error{ErrorKind::kEmpty, kNoTemplatePictureMessage + templates[i]});
      std::filesystem::remove(file, ec);  // no leftover shows in this state after a restart
      continue;
    }
    if (Result<void> saved = save(file, *face); !saved)
      return undo(WriteFailure(saved.error(), skin));
    *pictures[i] = std::make_shared<const Bitmap>(std::move(*face));
  }

  // The faces at the screen's scale, for the live button (laid out in device
  // pixels) and as the 1x files' siblings. After all 1x faces, so the icon
  // is read once at each size. A face that cannot be drawn at the scale is
  // the 1x one enlarged (kept at 1x when even that fails), with no sibling.
  const int scale = model_.primary().scale;
  for (size_t i = 0; i < states.size(); ++i) {
    if (scale < 2 || !*pictures[i]) continue;
    Result<Bitmap> face = renderer_.RenderButtonFace(templates[i], design.iconSource, params[i],
                                                     design.caption, scale);
    if (face) {
      if (Result<void> saved = save(ScaledSiblingName(stateFiles[i], scale), *face); !saved)
        return undo(WriteFailure(saved.error(), skin));
      *pictures[i] = std::make_shared<const Bitmap>(std::move(*face));
    } else if (std::optional<Bitmap> enlarged = EnlargeByWholePixels(**pictures[i], scale)) {
      // No sibling: the next start enlarges the 1x file the same way.
      *pictures[i] = std::make_shared<const Bitmap>(std::move(*enlarged));
    }
  }

  // 2. The record that names them, in one atomic update.
  const ButtonRecord record{target.object, target.param, left, top, upName, false};
  if (Result<void> recorded = user.Apply(ButtonTable::RecordUpdate(n, record)); !recorded)
    return undo(WriteFailure(recorded.error(), skin));

  // 3. The slot as the next start reads it from the record.
  button.target = target.object;
  button.arguments = target.param.value_or("");
  if (target.object.empty() && design.action != ButtonAction::kOpenFile)
    button.specialFolder = int(design.action);
  const SkinScreen screen = model_.primary().skin();
  model_.buttons.Add(std::move(button), screen.Device(left), screen.Device(top), false);
  return n;
}

}  // namespace moravel
