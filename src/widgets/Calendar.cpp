#include "widgets/Calendar.h"

#include <exception>
#include <memory>

#include "codecs/ScaledPictureFile.h"
#include "scene/TransparentKey.h"

namespace moravel {
namespace {

// table[index], or the empty path (which no file has) outside the table.
template <size_t N>
std::filesystem::path Entry(const std::array<std::filesystem::path, N>& table, int index) {
  return index >= 0 && index < int(N) ? table[size_t(index)] : std::filesystem::path();
}

}  // namespace

void Calendar::Show(DesktopScene& scene, const LocalTime& today) {
  const int d = today.day, y = today.year;
  if (d == scene.lastShownDay) return;
  ShowFile(scene, WidgetSection::Month, Entry(scene.monthPaths, today.month));
  ShowFile(scene, WidgetSection::Weekday, Entry(scene.weekdayPaths, today.weekday));
  ShowFile(scene, WidgetSection::Day1, Entry(scene.dayTensPaths, d / 10));
  ShowFile(scene, WidgetSection::Day2, Entry(scene.dayUnitsPaths, d % 10));
  ShowFile(scene, WidgetSection::Year1, Entry(scene.yearDigitPaths[0], y / 1000));
  ShowFile(scene, WidgetSection::Year2, Entry(scene.yearDigitPaths[1], (y / 100) % 10));
  ShowFile(scene, WidgetSection::Year3, Entry(scene.yearDigitPaths[2], (y % 100) / 10));
  ShowFile(scene, WidgetSection::Year4, Entry(scene.yearDigitPaths[3], y % 10));
  scene.lastShownDay = d;
}

void Calendar::ShowFile(DesktopScene& scene, WidgetSection section,
                        const std::filesystem::path& file) {
  ImageControl* image = scene.widget(section);
  if (!scene.present(section) || !image) return;
  try {
    if (file.empty()) return;
    Result<Bitmap> decoded = LoadPictureAtScale(file, scene.scale);
    if (!decoded.ok()) return;
    scratch_ = std::move(*decoded);
    image->SetPicture(
        PictureForDrawing(std::make_shared<const Bitmap>(scratch_), image->transparent()));
  } catch (const std::exception&) {
    // This picture stays as it was; the other sections go on.
  }
}

}  // namespace moravel
