// Picking a decoder by file name, and loading picture files from disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codecs/BmpCodec.h"
#include "codecs/DibBytes.h"
#include "codecs/PictureFile.h"
#include "codecs/PixelFixtures.h"

namespace moravel {
namespace {

using testing::ReadBytes;
using testing::TestData;
namespace fs = std::filesystem;

// A small, valid 8-bit palette BMP: any BMP serves these tests.
std::vector<uint8_t> PaletteBmp() {
  testing::DibLayout layout{.width = 3, .height = 2, .bits = 8};
  layout.palette = {{255, 0, 0, 255}, {0, 0, 255, 255}};
  layout.pixels = testing::Rows({{0, 1, 0}, {1, 0, 1}});
  return testing::BmpFile(layout);
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

TEST(PictureFormatForName, ExtensionInAnyCasePicksTheFormat) {
  const struct {
    const char* name;
    PictureFormat format;
  } cases[] = {
      {"a.bmp", PictureFormat::Bmp},
      {"A.BMP", PictureFormat::Bmp},
      {"icon.Ico", PictureFormat::Ico},
      {"m.emf", PictureFormat::Emf},
      {"m.WMF", PictureFormat::Wmf},
      {"p.png", PictureFormat::Png},
      {"g.GIF", PictureFormat::Gif},
      {"j.jpg", PictureFormat::Jpeg},
      {"j.JPeG", PictureFormat::Jpeg},
      {".jpeg", PictureFormat::Jpeg},
      {"x.tar.png", PictureFormat::Png},
      {"skins/Blue Glass/back.bmp", PictureFormat::Bmp},
      {"skins\\Old.Skin\\Back.Png", PictureFormat::Png},
      {"noextension", PictureFormat::Unknown},
      {"", PictureFormat::Unknown},
      {"trailingdot.", PictureFormat::Unknown},
      {"notes.txt", PictureFormat::Unknown},
      {"a.pngx", PictureFormat::Unknown},
      {"a.jpe", PictureFormat::Unknown},
      {"png", PictureFormat::Unknown},
      {"dir.png/file", PictureFormat::Unknown},
      {"dir.bmp\\file", PictureFormat::Unknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PictureFormatForName(c.name), c.format) << '"' << c.name << '"';
}

TEST(DecodePicture, DispatchesByTheGivenFormat) {
  std::vector<uint8_t> bmp = PaletteBmp();
  Result<Bitmap> asBmp = DecodePicture(PictureFormat::Bmp, bmp);
  ASSERT_TRUE(asBmp.ok()) << asBmp.error().message;
  EXPECT_EQ(*asBmp, *DecodeBmp(bmp));
  for (PictureFormat other :
       {PictureFormat::Ico, PictureFormat::Png, PictureFormat::Gif, PictureFormat::Jpeg}) {
    Result<Bitmap> r = DecodePicture(other, bmp);
    ASSERT_FALSE(r.ok()) << int(other);
    EXPECT_FALSE(r.error().message.empty()) << int(other);
  }
  std::vector<uint8_t> ico = ReadBytes(TestData("codecs/ico/pil-sizes.ico"));
  EXPECT_TRUE(DecodePicture(PictureFormat::Ico, ico).ok());
  std::vector<uint8_t> png = ReadBytes(TestData("codecs/ico/pil-48.png"));
  EXPECT_TRUE(DecodePicture(PictureFormat::Png, png).ok());
}

TEST(DecodePicture, MetafilesAndUnknownFormatsFail) {
  std::vector<uint8_t> bytes = PaletteBmp();
  for (PictureFormat metafile : {PictureFormat::Emf, PictureFormat::Wmf}) {
    Result<Bitmap> r = DecodePicture(metafile, bytes);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message, "metafiles are not supported on this platform");
  }
  Result<Bitmap> unknown = DecodePicture(PictureFormat::Unknown, bytes);
  ASSERT_FALSE(unknown.ok());
  EXPECT_FALSE(unknown.error().message.empty());
}

// A scratch folder for one test, removed afterwards.
class LoadPictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("moravel-picture-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

TEST_F(LoadPictureFileTest, ReadsAndDecodesByExtension) {
  fs::path upper = dir_ / "PAL8.BMP";
  WriteFile(upper, PaletteBmp());
  Result<Bitmap> loaded = LoadPictureFile(upper);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(*loaded, *DecodeBmp(ReadBytes(upper)));
  EXPECT_TRUE(LoadPictureFile(TestData("codecs/ico/pil-sizes.ico")).ok());
}

// The first bytes pick the decoder whatever the name says; bytes of no
// known format leave it to the name.
TEST_F(LoadPictureFileTest, TheBytesPickTheDecoderWhateverTheName) {
  const Bitmap bmp = *DecodeBmp(PaletteBmp());
  for (const char* name : {"pal8.txt", "pal8.png", "pal8.emf", "pal8"}) {
    WriteFile(dir_ / name, PaletteBmp());
    Result<Bitmap> r = LoadPictureFile(dir_ / name);
    ASSERT_TRUE(r.ok()) << name << ": " << r.error().message;
    EXPECT_EQ(*r, bmp) << name;
  }
  fs::copy_file(TestData("codecs/ico/pil-sizes.ico"), dir_ / "icon.jpg");
  EXPECT_EQ(*LoadPictureFile(dir_ / "icon.jpg"),
            *LoadPictureFile(TestData("codecs/ico/pil-sizes.ico")));

  const std::vector<uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  WriteFile(dir_ / "junk.emf", junk);
  WriteFile(dir_ / "junk.txt", junk);
  WriteFile(dir_ / "junk.png", junk);
  const Result<Bitmap> metafile = LoadPictureFile(dir_ / "junk.emf");
  ASSERT_FALSE(metafile.ok());
  EXPECT_NE(metafile.error().message.find("metafiles"), std::string::npos);
  EXPECT_EQ(metafile.error().kind, ErrorKind::kUnsupported);
  EXPECT_EQ(LoadPictureFile(dir_ / "junk.txt").error().message, "unknown picture format");
  EXPECT_FALSE(LoadPictureFile(dir_ / "junk.png").ok());
}

TEST_F(LoadPictureFileTest, FailsCleanlyOnWhatItCannotLoad) {
  fs::create_directory(dir_ / "folder.bmp");
  std::ofstream(dir_ / "empty.bmp").close();
  const struct {
    const char* name;
    ErrorKind kind;
  } cases[] = {{"missing.bmp", ErrorKind::kNotFound},
               {"folder.bmp", ErrorKind::kNotAFile},
               {"empty.bmp", ErrorKind::kMalformed}};
  for (const auto& [name, kind] : cases) {
    Result<Bitmap> r = LoadPictureFile(dir_ / name);
    ASSERT_FALSE(r.ok()) << name;
    EXPECT_FALSE(r.error().message.empty()) << name;
    EXPECT_EQ(r.error().kind, kind) << name << ": " << r.error().message;
  }
}

TEST_F(LoadPictureFileTest, RefusesHugeFilesUnread) {
  // A sparse file just over the limit: refused from its size alone.
  fs::path huge = dir_ / "huge.bmp";
  WriteFile(huge, PaletteBmp());
  fs::resize_file(huge, (uintmax_t(256) << 20) + 1);
  Result<Bitmap> r = LoadPictureFile(huge);
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error().message.find("too large"), std::string::npos) << r.error().message;
  EXPECT_EQ(r.error().kind, ErrorKind::kTooLarge);
}

}  // namespace
}  // namespace moravel
