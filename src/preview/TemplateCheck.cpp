#include "preview/TemplateCheck.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "codecs/PictureFile.h"
#include "editor/FaceParams.h"
#include "settings/CaseInsensitivePath.h"
#include "settings/NumberedItems.h"

namespace moravel {
namespace {

struct Area {
  int left, top, width, height;
  friend bool operator==(const Area&, const Area&) = default;
};

bool Inside(const Area& a, int pictureWidth, int pictureHeight) {
  return a.left >= 0 && a.top >= 0 && a.width >= 1 && a.height >= 1 &&
         int64_t(a.left) + a.width <= pictureWidth && int64_t(a.top) + a.height <= pictureHeight;
}

// The image key TemplateImageName took the state's name from: image<s>, or
// the nearest lower one present; image1 when none is.
std::string ImageKey(const IniFile& config, const std::string& section, int state) {
  for (int s = state; s > 1; --s) {
    const std::string key = "image" + std::to_string(s);
    if (config.HasKey(section, key)) return key;
  }
  return "image1";
}

// What one state was checked with, to skip a state that repeats an earlier one.
struct Checked {
  std::filesystem::path file;
  Area icon, caption;
  friend bool operator==(const Checked&, const Checked&) = default;
};

class TemplateChecker {
 public:
  TemplateChecker(const IniFile& config, const std::filesystem::path& skinPath,
                  SkinProblems& problems)
      : config_(config), skinPath_(skinPath), problems_(problems) {}

  void CheckTemplate(const std::string& section) {
    std::vector<Checked> checked;
    for (int s = 1; s <= 3; ++s) {
      const ButtonState state = ButtonState(s);
      const std::string name = TemplateImageName(config_, section, state);
      const std::filesystem::path file = ResolveSkinFile(skinPath_, name);
      const FaceParams p = ReadFaceParams(config_, section, state);
      const Checked now{file,
                        {p.iconLeft, p.iconTop, p.iconWidth, p.iconHeight},
                        {p.textLeft, p.textTop, p.textWidth, p.textHeight}};
      if (std::find(checked.begin(), checked.end(), now) != checked.end()) continue;
      checked.push_back(now);
      const std::string key = ImageKey(config_, section, s);
      const std::optional<Size> size = PictureSize(file, {&config_, section, key, name});
      if (!size) continue;
      const std::string digit = std::to_string(s);
      CheckArea(section, "x" + digit + " y" + digit + " w" + digit + " h" + digit, "icon", now.icon,
                file, *size);
      CheckArea(section, "tx" + digit + " ty" + digit + " tw" + digit + " th" + digit, "caption",
                now.caption, file, *size);
    }
  }

 private:
  struct Size {
    int width, height;
  };

  // The size of the template picture, decoded once; nothing (told) when it
  // cannot be loaded.
  std::optional<Size> PictureSize(const std::filesystem::path& file, const SkinKey& key) {
    auto known = sizes_.find(file);
    if (known == sizes_.end()) {
      Result<Bitmap> decoded = LoadPictureFile(file);
      std::optional<Size> size;
      std::string error;
      if (decoded.ok())
        size = Size{decoded->width(), decoded->height()};
      else
        error = decoded.error().message;
      known = sizes_.emplace(file, std::make_pair(size, std::move(error))).first;
    }
    const auto& [size, error] = known->second;
    if (!size) ReportPictureFailure(&problems_, key, file, error);
    return size;
  }

  void CheckArea(const std::string& section, const std::string& keys, const std::string& what,
                 const Area& area, const std::filesystem::path& file, Size size) {
    if (Inside(area, size.width, size.height)) return;
    problems_.Report({config_.path(), section, keys,
                      what + " rectangle (" + std::to_string(area.left) + ", " +
                          std::to_string(area.top) + ") " + std::to_string(area.width) + "x" +
                          std::to_string(area.height) + " is not inside the " +
                          std::to_string(size.width) + "x" + std::to_string(size.height) +
                          " picture",
                      file});
  }

  const IniFile& config_;
  const std::filesystem::path& skinPath_;
  SkinProblems& problems_;
  std::map<std::filesystem::path, std::pair<std::optional<Size>, std::string>> sizes_;
};

}  // namespace

void CheckButtonTemplates(const IniFile& config, const std::filesystem::path& skinPath,
                          SkinProblems& problems) {
  TemplateChecker checker(config, skinPath, problems);
  const int count = CountNumberedSections("freebutton", config);
  for (int t = 1; t <= count; ++t) checker.CheckTemplate("freebutton" + std::to_string(t));
}

}  // namespace moravel
