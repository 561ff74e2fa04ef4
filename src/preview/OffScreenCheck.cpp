#include "preview/OffScreenCheck.h"

#include <string>

namespace moravel {
namespace {

class PlacementChecker {
 public:
  PlacementChecker(int width, int height, SkinProblems& problems)
      : width_(width), height_(height), problems_(problems) {}

  void Check(const ImageControl* control, const IniFile* ini, const std::string& section) {
    if (!control || !ini) return;
    const Rect r = control->rect();
    if (r.empty()) return;
    const bool outsideX = r.right() <= 0 || r.x >= width_;
    const bool outsideY = r.bottom() <= 0 || r.y >= height_;
    if (!outsideX && !outsideY) return;
    problems_.Report({ini->path(), section, outsideX ? "x" : "y",
                      "off screen: " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                          " at (" + std::to_string(r.x) + ", " + std::to_string(r.y) + ") on a " +
                          std::to_string(width_) + "x" + std::to_string(height_) + " screen"});
  }

 private:
  int width_, height_;
  SkinProblems& problems_;
};

}  // namespace

void CheckPlacements(const DesktopScene& scene, const SettingsFiles& files,
                     const ImageControl* analogClock, int screenWidth, int screenHeight,
                     SkinProblems& problems) {
  PlacementChecker checker(screenWidth, screenHeight, problems);
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
