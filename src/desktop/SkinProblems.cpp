#include "desktop/SkinProblems.h"

#include <system_error>
#include <utility>

#include "settings/SkinPaths.h"

namespace moravel {

void ReportPictureFailure(SkinProblems* problems, const SkinKey& key,
                          const std::filesystem::path& file, std::string_view error) {
  if (!problems || !key.ini) return;
  SkinProblem p{key.ini->path(), std::string(key.section), std::string(key.key), {}, {}, {}};
  if (key.value.empty()) {
    p.what = "no picture named";
  } else if (IsNoSkinPath(file)) {
    p.what = "no such picture";
    p.picture = std::string(key.value);
    p.detail = "outside the skins folder";
  } else {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    p.picture = file;
    if (!std::filesystem::exists(status)) {
      p.what = "no such picture";
    } else if (!std::filesystem::is_regular_file(status)) {
      p.what = "not a picture file:";
    } else {
      p.what = "cannot read";
      p.detail = error;
    }
  }
  problems->Report(std::move(p));
}

}  // namespace moravel
