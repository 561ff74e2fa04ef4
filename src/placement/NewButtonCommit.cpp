#include "placement/NewButtonCommit.h"

#include <array>
#include <filesystem>
#include <memory>
#include <system_error>

#include "codecs/PngFile.h"
#include "editor/FaceParams.h"
#include "placement/ButtonTarget.h"
#include "placement/StatePictureFiles.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/SkinPaths.h"

namespace moravel {

void NewButtonCommit::Message(const std::string& text) {
  model_.services.window.ShowMessage(text);
}

int NewButtonCommit::CommitNewButton(const NewButtonDesign& design, int left, int top) {
  SettingsFiles& files = model_.files;
  if (!files.config || !files.user) return 0;  // before start-up
  const std::optional<int> number = model_.buttons.NextNumber();
  if (!number) {
    Message(kDesktopFullMessage);
    return 0;
  }
  const int n = *number;
  const std::filesystem::path& skin = files.skinPath;
  const std::string noAccess = kNoWriteAccessMessage + skin.string();
  std::error_code ec;
  std::filesystem::create_directories(skin / "temp", ec);
  if (ec) Message(noAccess);

  const ButtonTarget target = ResolveButtonTarget(design.target, design.action);
  const std::string section = "freebutton" + std::to_string(design.templateNumber);

  // The pictures first, each written whole or not at all.
  DesktopButton button;
  const std::array<ButtonState, 3> states = {ButtonState::kUp, ButtonState::kOver,
                                             ButtonState::kDown};
  const std::array<Picture*, 3> pictures = {&button.upPicture, &button.overPicture,
                                            &button.downPicture};
  for (size_t i = 0; i < states.size(); ++i) {
    const FaceParams params = states[i] == ButtonState::kUp
                                  ? design.upParams
                                  : ReadFaceParams(*files.config, section, states[i]);
    const std::string image = TemplateImageName(*files.config, section, states[i]);
    const std::filesystem::path templ =
        image.empty() ? std::filesystem::path() : ResolveSkinFile(skin, image);
    Bitmap face =
        renderer_.RenderButtonFace(templ.string(), design.iconSource, params, design.caption);
    const std::filesystem::path file =
        skin / StoredNameToPosix(StatePictureName(n, kStateLetters[i]));
    if (face.empty()) {  // no template: that state stays empty, also after a restart
      std::filesystem::remove(file, ec);
      continue;
    }
    std::string error;
    switch (SavePngFile(file, face, PngSpeed::Fast, &error)) {
      case PngSaveResult::kSaved:
        *pictures[i] = std::make_shared<const Bitmap>(std::move(face));
        break;
      case PngSaveResult::kNoWriteAccess:
        Message(noAccess);
        break;
      case PngSaveResult::kFailed:
        Message("Не удалось сохранить картинку кнопки: " + error);
        break;
    }
  }

  // Then the record that names them, in one atomic update.
  ButtonRecord record{target.object, target.param, left, top, StatePictureName(n, 'u'), false};
  if (!files.user->Apply(ButtonTable::RecordUpdate(n, record))) Message(noAccess);

  // The slot as the next start reads it from the record.
  button.target = target.object;
  button.arguments = target.param.value_or("");
  if (target.object.empty() && design.action != ButtonAction::kOpenFile)
    button.specialFolder = int(design.action);
  model_.buttons.Add(std::move(button), left, top, false);
  model_.Publish();
  return n;
}

}  // namespace moravel
