// Loading, fitting and painting the wallpaper.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "codecs/PngCodec.h"
#include "raster/Drawing.h"
#include "widgets/SkinWallpaper.h"
#include "widgets/Wallpaper.h"

namespace moravel {
namespace {

constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255};

class WallpaperTest : public ::testing::Test {
 protected:
  WallpaperTest() {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("moravel-wallpaper-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_ / "skin");
    std::filesystem::create_directories(root_ / "elsewhere");
  }
  ~WallpaperTest() override { std::filesystem::remove_all(root_); }

  std::filesystem::path skin() const { return root_ / "skin/"; }
  void Png(const std::filesystem::path& file, const Bitmap& b) {
    std::filesystem::create_directories(file.parent_path());
    const Result<std::vector<uint8_t>> bytes = EncodePng(b, PngSpeed::Fast);
    ASSERT_TRUE(bytes.ok()) << bytes.error().message;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
  }
  IniFile Config(const std::string& text) {
    std::ofstream(skin() / "config.ini", std::ios::binary) << text;
    return IniFile(skin() / "config.ini");
  }
  // A screen-sized layer holding something recognisable.
  static Bitmap Layer(int w, int h) { return *Bitmap::Create(w, h, Rgba{7, 7, 7, 255}); }

  std::filesystem::path root_;
};

TEST_F(WallpaperTest, PictureIsStretchedToTheWholeScreen) {
  Bitmap picture = *Bitmap::Create(100, 50, kRed);
  FillRect(picture, {50, 0, 50, 50}, kGreen);
  Png(skin() / "Walls/Wide.png", picture);
  const IniFile config = Config("[wallpaper]\nimage5x4=walls\\wide.PNG\n");
  Bitmap layer = Layer(1280, 1024);
  ASSERT_TRUE(LoadWallpaper(config, skin(), "", layer));
  EXPECT_EQ(layer.width(), 1280);
  EXPECT_EQ(layer.height(), 1024);
  EXPECT_EQ(layer.at(10, 10), kRed);
  EXPECT_EQ(layer.at(1270, 1010), kGreen);
  EXPECT_EQ(layer.at(300, 500), kRed) << "x is scaled 12.8 times: column 23 of the picture";
  EXPECT_EQ(layer.at(1000, 500), kGreen);
}

TEST_F(WallpaperTest, TransparentPartsShowTheDesktop) {
  Bitmap picture = *Bitmap::Create(40, 40, kRed);
  FillRect(picture, {0, 0, 40, 20}, Rgba{255, 0, 0, 0});
  Png(skin() / "half.png", picture);
  const IniFile config = Config("[wallpaper]\nimage4x3=half.png\n");
  Bitmap layer = Layer(400, 300);
  ASSERT_TRUE(LoadWallpaper(config, skin(), "", layer));
  EXPECT_EQ(layer.at(200, 10), kBlue);
  EXPECT_EQ(layer.at(200, 290), kRed);
  for (int y = 0; y < layer.height(); ++y) ASSERT_EQ(layer.at(3, y).a, 255) << "opaque layer";
}

TEST_F(WallpaperTest, QuestionMarkNamesAnAbsolutePath) {
  Png(root_ / "elsewhere/a.png", *Bitmap::Create(2, 2, kGreen));
  Png(skin() / "a.png", *Bitmap::Create(2, 2, kRed));
  const std::string absolute = (root_ / "elsewhere/a.png").string();
  const IniFile config = Config("[wallpaper]\nimage16x9=?" + absolute + "\n");
  Bitmap layer = Layer(160, 90);
  SkinWallpaper painter;
  ASSERT_TRUE(painter.PaintWallpaper(config, skin(), "", layer));
  EXPECT_EQ(painter.wallpaperName(), "?" + absolute);
  EXPECT_EQ(layer.at(80, 45), kGreen);

  const IniFile relative = Config("[wallpaper]\nimage16x9=a.png\n");
  ASSERT_TRUE(LoadWallpaper(relative, skin(), "", layer));
  EXPECT_EQ(layer.at(80, 45), kRed) << "without \"?\" the name is inside the skin";
}

TEST_F(WallpaperTest, EmptyNamePaintsTheDesktopColour) {
  const IniFile config = Config("[wallpaper]\nimage4x3=\nimage16x9=x.png\n");
  Bitmap layer = Layer(40, 30);
  std::string name = "unset";
  ASSERT_TRUE(LoadWallpaper(config, skin(), "", layer, &name));
  EXPECT_EQ(name, "");
  EXPECT_EQ(layer.at(0, 0), kBlue);
  EXPECT_EQ(layer.at(39, 29), kBlue);
}

TEST_F(WallpaperTest, AnyFailureKeepsWhatWasThere) {
  std::ofstream(skin() / "broken.png", std::ios::binary) << "not a png";
  std::ofstream(skin() / "wall.txt", std::ios::binary) << "text";
  const Bitmap before = Layer(40, 30);
  for (const char* value : {"missing.png", "broken.png", "wall.txt", "?/no/such/file.png"}) {
    const IniFile config = Config(std::string("[wallpaper]\nimage4x3=") + value + "\n");
    Bitmap layer = before;
    EXPECT_FALSE(LoadWallpaper(config, skin(), "", layer)) << value;
    EXPECT_TRUE(layer == before) << value;
  }
  // A skin switch's one-letter default, when the skin names no wallpaper.
  const IniFile none = Config("[other]\n");
  Bitmap layer = before;
  std::string name;
  EXPECT_FALSE(LoadWallpaper(none, skin(), "d", layer, &name));
  EXPECT_EQ(name, "d");
  EXPECT_TRUE(layer == before);
}

}  // namespace
}  // namespace moravel
