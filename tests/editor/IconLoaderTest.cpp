// Where a button's icon comes from, for each kind of file, and what stands in
// when a file cannot be read.

#include <gtest/gtest.h>

#include "editor/EditorTestKit.h"
#include "editor/IconLoader.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::FakeAssociatedIcons;
using test::IcoOfPngs;
using test::Le;
using test::Solid;
using test::WriteFile;
using test::WritePng;

constexpr Rgba kOwn{1, 200, 1, 255};

// A 32-bit bitmap file of 2 x 1 pixels with alpha 77: blue, then white.
std::vector<uint8_t> Bmp2x1() {
  std::vector<uint8_t> b = {'B', 'M'};
  Le(b, 14 + 40 + 8, 4), Le(b, 0, 4), Le(b, 54, 4);
  Le(b, 40, 4), Le(b, 2, 4), Le(b, 1, 4), Le(b, 1, 2), Le(b, 32, 2), Le(b, 0, 4), Le(b, 8, 4);
  Le(b, 0, 4), Le(b, 0, 4), Le(b, 0, 4), Le(b, 0, 4);
  b.insert(b.end(), {255, 0, 0, 77, 255, 255, 255, 77});  // BGRA BGRA
  return b;
}

// A shell link holding only a relative path (Unicode).
std::vector<uint8_t> LinkTo(const std::u16string& relative) {
  // The header's size (0x4C), then the shell link class id.
  std::vector<uint8_t> b = {0x4C, 0, 0,    0, 0x01, 0x14, 0x02, 0, 0, 0,
                            0,    0, 0xC0, 0, 0,    0,    0,    0, 0, 0x46};
  Le(b, 0x08 | 0x80, 4);  // HasRelativePath | IsUnicode
  b.resize(0x4C, 0);
  Le(b, uint32_t(relative.size()), 2);
  for (char16_t c : relative) Le(b, c, 2);
  return b;
}

class IconLoaderTest : public testing::Test {
 protected:
  std::string Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(dir_ / name, bytes);
    return (dir_ / name).string();
  }
  std::string PutText(const std::string& name, const std::string& text) {
    return Put(name, std::vector<uint8_t>(text.begin(), text.end()));
  }
  // The size and the first pixel (colour and alpha) of the icon.
  static std::tuple<int, int, Rgba> Look(const Bitmap& icon) {
    if (icon.empty()) return {0, 0, {}};
    return {icon.width(), icon.height(), icon.at(0, 0)};
  }

  test::TempFolder dir_;
  FakeAssociatedIcons desktop_;
  IconLoader loader_{desktop_, Solid(48, 48, kOwn)};
};

TEST_F(IconLoaderTest, EachKindOfFile) {
  Bitmap png = Solid(5, 4, {10, 20, 30, 77});
  WritePng(dir_ / "i.png", png);
  const std::string pngPath = (dir_ / "i.png").string();
  Put("in.lnk", LinkTo(u".\\I.PNG"));  // letter case ignored, "\" read as "/"
  Put("loop.lnk", LinkTo(u"loop.lnk"));
  Put("twice.lnk", LinkTo(u"in.lnk"));
  const std::tuple<int, int, Rgba> k64File{64, 64, FakeAssociatedIcons::kFile};
  const struct {
    std::string path;
    std::tuple<int, int, Rgba> look;
  } cases[] = {
      {pngPath, {5, 4, {10, 20, 30, 77}}},                 // alpha as stored
      {Put("p.bmp", Bmp2x1()), {2, 1, {0, 0, 255, 255}}},  // pictures are opaque
      {Put("p.jpg", {1, 2, 3}), {48, 48, kOwn}},           // unreadable picture: the program's icon
      {(dir_ / "none.png").string(), {48, 48, kOwn}},
      {Put("i.ico", IcoOfPngs({Solid(16, 16, {1, 1, 1, 255}), Solid(64, 64, {2, 2, 2, 255}),
                               Solid(128, 128, {3, 3, 3, 255})})),
       {64, 64, {2, 2, 2, 255}}},  // the image nearest 64 x 64
      {Put("bad.ico", {0, 0, 1, 0}), k64File},
      {Put("notpe.exe", {'M', 'Z'}), {48, 48, kOwn}},
      {(dir_ / "in.lnk").string(), {5, 4, {10, 20, 30, 77}}},
      {(dir_ / "twice.lnk").string(), {5, 4, {10, 20, 30, 77}}},
      {(dir_ / "loop.lnk").string(), {64, 64, FakeAssociatedIcons::kNoPath}},
      {Put("dead.lnk", {1, 2, 3}), {64, 64, FakeAssociatedIcons::kNoPath}},
      {PutText("a.desktop", "[Desktop Entry]\nType=Application\nIcon=" +
                                std::filesystem::path(pngPath).generic_string() + "\n"),
       {5, 4, {10, 20, 30, 77}}},
      {PutText("b.desktop", "[Desktop Entry]\nType=Application\nIcon=known\n"),
       {64, 64, FakeAssociatedIcons::kThemed}},
      {PutText("c.desktop", "[Desktop Entry]\nType=Link\nURL=file:///\nIcon=unknown\n"), k64File},
      {dir_.path().string(), k64File},
      {"", {64, 64, FakeAssociatedIcons::kNoPath}},
  };
  for (const auto& c : cases) EXPECT_EQ(Look(loader_.LoadIconPlane(c.path)), c.look) << c.path;
}

TEST_F(IconLoaderTest, APictureOverTheIconSizeIsStretchedDownEachSideOnItsOwn) {
  constexpr int kMax = IconLoader::kMaxIconSide;
  WritePng(dir_ / "wide.png", Solid(kMax * 3, 40, {10, 20, 30, 77}));
  WritePng(dir_ / "tall.png", Solid(30, kMax + 1, {40, 50, 60, 255}));
  EXPECT_EQ(Look(loader_.LoadIconPlane((dir_ / "wide.png").string())),
            std::make_tuple(kMax, 40, Rgba{10, 20, 30, 77}));
  EXPECT_EQ(Look(loader_.LoadIconPlane((dir_ / "tall.png").string())),
            std::make_tuple(30, kMax, Rgba{40, 50, 60, 255}));
}

// Icon files and the desktop give the image nearest the size asked, at most
// kMaxIconSide; a picture kept from one size is not given for another.
TEST_F(IconLoaderTest, TheSizeAskedPicksTheImage) {
  const std::string ico =
      Put("i.ico", IcoOfPngs({Solid(64, 64, {2, 2, 2, 255}), Solid(128, 128, {3, 3, 3, 255})}));
  EXPECT_EQ(Look(loader_.LoadIconPlane(ico, 128)), std::make_tuple(128, 128, Rgba{3, 3, 3, 255}));
  EXPECT_EQ(Look(loader_.LoadIconPlane(ico)), std::make_tuple(64, 64, Rgba{2, 2, 2, 255}));
  constexpr int kMax = IconLoader::kMaxIconSide;
  EXPECT_EQ(Look(loader_.LoadIconPlane(dir_.path().string(), 2 * kMax)),
            std::make_tuple(kMax, kMax, FakeAssociatedIcons::kFile));
}

TEST_F(IconLoaderTest, TheProgramsIconWhenTheDesktopHasNone) {
  desktop_.knowsFiles = false;
  EXPECT_EQ(Look(loader_.LoadIconPlane("/no/such/file.txt")), std::make_tuple(48, 48, kOwn));
}

TEST_F(IconLoaderTest, AFileChangedOnTheDiskIsReadAgain) {
  const std::string path = (dir_ / "i.png").string();
  WritePng(path, Solid(5, 4, {10, 20, 30, 255}));
  EXPECT_EQ(Look(loader_.LoadIconPlane(path)), std::make_tuple(5, 4, Rgba{10, 20, 30, 255}));
  WritePng(dir_ / "new.png", Solid(5, 4, {40, 50, 60, 255}));  // same size, new inode
  std::filesystem::rename(dir_ / "new.png", path);
  EXPECT_EQ(Look(loader_.LoadIconPlane(path)), std::make_tuple(5, 4, Rgba{40, 50, 60, 255}));
  std::filesystem::remove(path);
  EXPECT_EQ(Look(loader_.LoadIconPlane(path)), std::make_tuple(48, 48, kOwn));
}

}  // namespace
}  // namespace moravel
