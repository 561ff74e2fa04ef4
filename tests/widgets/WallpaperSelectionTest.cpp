// Which wallpaper of a skin suits the screen.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "widgets/WallpaperSelection.h"

namespace moravel {
namespace {

// An IniFile over a scratch file holding `text`.
class Config {
 public:
  explicit Config(const std::string& text) {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("moravel-wallsel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::ofstream(path_, std::ios::binary) << text;
    ini_ = std::make_unique<IniFile>(path_);
  }
  ~Config() { std::filesystem::remove(path_); }
  const IniFile& ini() const { return *ini_; }

 private:
  std::filesystem::path path_;
  std::unique_ptr<IniFile> ini_;
};

struct BandCase {
  int width, height;
  AspectBand band;
};

TEST(WallpaperSelectionTest, ScreensFallIntoTheirBands) {
  const BandCase cases[] = {
      {1280, 1024, AspectBand::R5x4},  {1024, 768, AspectBand::R4x3},
      {1440, 900, AspectBand::R16x10}, {1920, 1200, AspectBand::R16x10},
      {1920, 1080, AspectBand::R16x9}, {1366, 768, AspectBand::R16x9},
      {129, 100, AspectBand::R5x4},    {1465, 1000, AspectBand::R4x3},
      {168, 100, AspectBand::R16x10},  {1681, 1000, AspectBand::R16x9},
      {1291, 1000, AspectBand::R4x3},  {800, 1280, AspectBand::R5x4},
  };
  for (const BandCase& c : cases) {
    EXPECT_EQ(AspectBandFor(c.width, c.height), c.band) << c.width << "x" << c.height;
  }
}

TEST(WallpaperSelectionTest, EachBandPrefersItsOwnKey) {
  const Config all("[wallpaper]\nimage5x4=a\nimage4x3=b\nimage16x10=c\nimage16x9=d\n");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1280, 1024, ""), "a");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1024, 768, ""), "b");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1440, 900, ""), "c");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1920, 1200, ""), "c");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1920, 1080, ""), "d");
  EXPECT_EQ(SelectWallpaperName(all.ini(), 1366, 768, ""), "d");
  EXPECT_EQ(WallpaperKeyFor(AspectBand::R5x4), "image5x4");
  EXPECT_EQ(WallpaperKeyFor(AspectBand::R16x9), "image16x9");
}

struct FallbackCase {
  const char* config;
  int width, height;
  const char* expected;
};

TEST(WallpaperSelectionTest, FallbacksFollowTheBandsOrder) {
  const FallbackCase cases[] = {
      // 4:3 with only 16:9 and 5:4: the 16:9 picture.
      {"image16x9=wide\nimage5x4=square", 1024, 768, "wide"},
      // 5:4 with only 4:3 and 16:9: 16:9 comes before 4:3.
      {"image4x3=four\nimage16x9=wide", 1280, 1024, "wide"},
      // 5:4 falls back to 16:10 before 4:3.
      {"image4x3=four\nimage16x10=ten", 1280, 1024, "ten"},
      {"image4x3=four", 1280, 1024, "four"},
      // 16:10 tries 16:9, then 4:3, then 5:4.
      {"image5x4=square\nimage4x3=four", 1440, 900, "four"},
      {"image5x4=square", 1440, 900, "square"},
      // 16:9 tries 16:10 before 4:3.
      {"image4x3=four\nimage16x10=ten", 1920, 1080, "ten"},
      {"image5x4=square\nimage4x3=four", 1920, 1080, "four"},
      // 4:3 tries 16:10 before 5:4.
      {"image5x4=square\nimage16x10=ten", 1024, 768, "ten"},
  };
  for (const FallbackCase& c : cases) {
    const Config config(std::string("[wallpaper]\n") + c.config + "\n");
    EXPECT_EQ(SelectWallpaperName(config.ini(), c.width, c.height, "dflt"), c.expected)
        << c.config << " at " << c.width << "x" << c.height;
  }
}

TEST(WallpaperSelectionTest, NoKeyGivesTheFirstDefault) {
  const Config none("[other]\nimage4x3=x\n");
  EXPECT_EQ(SelectWallpaperName(none.ini(), 1024, 768, ""), "");
  EXPECT_EQ(SelectWallpaperName(none.ini(), 1024, 768, "d"), "d");
}

TEST(WallpaperSelectionTest, AKeyPresentButEmptyYieldsEmpty) {
  const Config config("[wallpaper]\nimage4x3=\nimage16x9=wide\n");
  EXPECT_EQ(SelectWallpaperName(config.ini(), 1024, 768, "d"), "");
  EXPECT_EQ(SelectWallpaperName(config.ini(), 1920, 1080, "d"), "wide");
}

}  // namespace
}  // namespace moravel
