#pragma once
// A program folder under /tmp for one test, removed with everything in it:
// data.ini choosing the skin "test", and skins/test with one picture and one
// button whose pictures are plain colour blocks written as PNG files. More
// skins may be added before the window starts.

#include <filesystem>
#include <string>

#include "raster/Bitmap.h"
#include "raster/Rect.h"

class ProgramFolder {
 public:
  // Colours of the fixture's pictures (all opaque).
  static constexpr moravel::Rgba kUp{200, 0, 0, 255};
  static constexpr moravel::Rgba kOver{0, 200, 0, 255};
  static constexpr moravel::Rgba kDown{200, 200, 0, 255};
  static constexpr moravel::Rgba kPicture{90, 60, 30, 255};
  // Where the fixture places them, in screen pixels.
  static constexpr moravel::Rect kButton{50, 60, 40, 30};
  static constexpr moravel::Rect kPictureAt{300, 40, 24, 16};
  static constexpr const char* kTarget = "/opt/fixture/run-me";
  static constexpr const char* kArguments = "--one two";

  // `doubleClick` is the skin's [doubleclick] dc.
  explicit ProgramFolder(bool doubleClick);
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path skin() const { return root_ / "skins" / "test"; }
  std::string read(const std::filesystem::path& relative) const;

  // skins/<name>: no buttons, and one picture of `colour` at kPictureAt.
  void addSkin(const std::string& name, moravel::Rgba colour) const;
  // A plain `colour` block as a PNG file at `relative`.
  void writePng(const std::filesystem::path& relative, moravel::Rgba colour, int width,
                int height) const;

 private:
  void write(const std::filesystem::path& relative, const std::string& text) const;

  std::filesystem::path root_;
};
