// Which reader an icon path goes to: only the extension's leading letters count.

#include <gtest/gtest.h>

#include "editor/IconSourceKind.h"

namespace moravel {
namespace {

TEST(ClassifyIconSource, ByLeadingLettersOfTheExtension) {
  using K = IconSourceKind;
  const struct {
    const char* path;
    K kind;
  } cases[] = {
      {"C:\\Pics\\Logo.PnG", K::kPng},
      {"a.pngx", K::kPng},
      {".png", K::kPng},
      {"photo.JPEG", K::kPicture},
      {"photo.jpg", K::kPicture},
      {"x.Gif", K::kPicture},
      {"photo.jpe", K::kOther},
      {"i.ico", K::kIconFile},
      {"/opt/a.EXE", K::kExecutable},
      {"menu.lnk", K::kShortcut},
      {"abc", K::kOther},
      {"C:\\Games", K::kOther},
      {"library.dll", K::kOther},
      {"name.", K::kOther},
      {"/home/u/app.desktop", K::kOther},
      {"/x.png/readme", K::kPng},
      {"пнг", K::kOther},
      {"bmp.", K::kOther},
      {"/tmp/pngfolder", K::kOther},
      {"pngfile", K::kPng},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyIconSource(c.path), c.kind) << c.path;
}

}  // namespace
}  // namespace moravel
