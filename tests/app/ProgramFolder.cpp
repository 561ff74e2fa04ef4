#include "ProgramFolder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "codecs/PngCodec.h"

using moravel::Bitmap;
using moravel::Rgba;

ProgramFolder::ProgramFolder(bool doubleClick) {
  char pattern[] = "/tmp/moravel-app-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;

  write("data.ini", "[skin]\ndir=test\n");
  write("skins/test/config.ini", std::string("[doubleclick]\ndc=") + (doubleClick ? "1" : "0") +
                                     "\n[picture1]\nx=" + std::to_string(kPictureAt.x) +
                                     "\ny=" + std::to_string(kPictureAt.y) +
                                     "\nimage=pictures\\block.png\n");
  write("skins/test/user.ini", std::string("[button1]\nobject=") + kTarget +
                                   "\nparam=" + kArguments + "\nimage=temp\\freebutton1_u.png\n" +
                                   "x=" + std::to_string(kButton.x) +
                                   "\ny=" + std::to_string(kButton.y) + "\n");
  writePng("skins/test/pictures/block.png", kPicture, kPictureAt.width, kPictureAt.height);
  writePng("skins/test/temp/freebutton1_u.png", kUp, kButton.width, kButton.height);
  writePng("skins/test/temp/freebutton1_o.png", kOver, kButton.width, kButton.height);
  writePng("skins/test/temp/freebutton1_d.png", kDown, kButton.width, kButton.height);
}

ProgramFolder::~ProgramFolder() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

std::string ProgramFolder::read(const std::filesystem::path& relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void ProgramFolder::addSkin(const std::string& name, Rgba colour) const {
  const std::filesystem::path skin = std::filesystem::path("skins") / name;
  write(skin / "config.ini", "[doubleclick]\ndc=0\n[picture1]\nx=" + std::to_string(kPictureAt.x) +
                                 "\ny=" + std::to_string(kPictureAt.y) +
                                 "\nimage=pictures\\block.png\n");
  writePng(skin / "pictures" / "block.png", colour, kPictureAt.width, kPictureAt.height);
}

void ProgramFolder::write(const std::filesystem::path& relative, const std::string& text) const {
  const std::filesystem::path p = root_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

void ProgramFolder::writePng(const std::filesystem::path& relative, Rgba colour, int width,
                             int height) const {
  const std::optional<Bitmap> picture = Bitmap::Create(width, height, colour);
  if (!picture) throw std::runtime_error("cannot encode a fixture picture");
  const moravel::Result<std::vector<uint8_t>> bytes =
      moravel::EncodePng(*picture, moravel::PngSpeed::Fast);
  if (!bytes) throw std::runtime_error("cannot encode a fixture picture");
  const std::filesystem::path p = root_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
}
