#include "desktop/PictureLoader.h"

#include <memory>
#include <utility>

#include "codecs/ScaledPictureFile.h"
#include "scene/TransparentKey.h"

namespace moravel {

Picture PictureLoader::Load(const std::filesystem::path& file, bool transparent,
                            const SkinKey& key) {
  auto decoded = decoded_.find(file);
  if (decoded == decoded_.end()) {
    Result<Bitmap> result = LoadPictureAtScale(file, scale_);
    Picture picture;
    if (result.ok()) {
      picture = std::make_shared<const Bitmap>(std::move(*result));
    } else if (problems_) {
      errors_[file] = result.error().message;
    }
    decoded = decoded_.emplace(file, std::move(picture)).first;
  }
  if (!decoded->second && problems_) ReportPictureFailure(problems_, key, file, errors_[file]);
  if (!transparent || !decoded->second) return decoded->second;
  auto keyed = keyed_.find(file);
  if (keyed == keyed_.end()) {
    keyed = keyed_.emplace(file, PictureForDrawing(decoded->second, true)).first;
  }
  return keyed->second;
}

}  // namespace moravel
