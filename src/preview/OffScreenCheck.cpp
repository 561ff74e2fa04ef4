#include "preview/OffScreenCheck.h"

#include <algorithm>
#include <string>

#include "settings/ScreenCoordinate.h"

namespace moravel {
namespace {

class PlacementChecker {
 public:
  // `screen`: the device pixels the controls stand on; the report gives the
  // skin pixels the author wrote.
  PlacementChecker(SkinScreen screen, SkinProblems& problems)
      : screen_(screen), width_(screen.width), height_(screen.height), problems_(problems) {}

  void Check(const ImageControl* control, const IniFile* ini, const std::string& section) {
    if (!control || !ini) return;
    const Rect r = control->rect();
    if (r.empty()) return;
    const bool outsideX = r.right() <= 0 || r.x >= width_;
    const bool outsideY = r.bottom() <= 0 || r.y >= height_;
    if (!outsideX && !outsideY) return;
    problems_.Report({ini->path(), section, outsideX ? "x" : "y",
                      "off screen: " + std::to_string(r.width / screen_.scale) + "x" +
                          std::to_string(r.height / screen_.scale) + " at (" +
                          std::to_string(screen_.Skin(r.x)) + ", " +
                          std::to_string(screen_.Skin(r.y)) + ") on a " +
                          std::to_string(screen_.logicalWidth()) + "x" +
                          std::to_string(screen_.logicalHeight()) + " screen"});
  }

 private:
  SkinScreen screen_;
  int width_, height_;
  SkinProblems& problems_;
};

}  // namespace

void CheckPlacements(const DesktopScene& scene, const SettingsFiles& files,
                     const ImageControl* analogClock, int screenWidth, int screenHeight,
                     SkinProblems& problems) {
  PlacementChecker checker({screenWidth, screenHeight, std::max(scene.scale, 1)}, problems);
  const IniFile* config = files.config.get();
  for (int i = 0; i < scene.staticCount; ++i) {
    checker.Check(scene.staticPictures[size_t(i)], config, "picture" + std::to_string(i + 1));
  }
  for (int s = 0; s < kWidgetSectionCount; ++s) {
    if (!scene.widgetPresent[size_t(s)]) continue;
    checker.Check(scene.widgetImages[size_t(s)], config,
                  std::string(WidgetSectionName(WidgetSection(s))));
  }
  checker.Check(analogClock, config, "analogclock");
  for (int k = 1; k <= scene.buttonCount; ++k) {
    checker.Check(scene.button(k).image, files.user.get(), "button" + std::to_string(k));
  }
}

}  // namespace moravel
