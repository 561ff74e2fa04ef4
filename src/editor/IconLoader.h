#pragma once
// Takes the icon of a new button from whatever file the user points at: a
// picture, a PNG with transparency, an icon file, a Windows program, a shell
// link, a desktop launcher, or any other file or folder (the icon the desktop
// shows for it). Never fails outward: what cannot be read gives the
// program's own icon, or empty planes where the file says there is no icon
// (a program without icons).
//
// Pictures are read within tighter limits than a skin's (kSourceLimits): a
// larger one counts as unreadable, and JPEGs are decoded reduced. What is
// given out and kept is at most kMaxIconSide a side.
//
// Called again for every preview refresh and every committed face. The last
// picture decoded from a file is kept while the file stays the same
// (DecodedFileMemo) and is asked at the same size, so refreshes with an
// unchanged icon file decode nothing.
// Not thread-safe.

#include <string>

#include "codecs/PictureLimits.h"
#include "editor/AssociatedIcons.h"
#include "editor/DecodedFileMemo.h"
#include "editor/IconSourceKind.h"
#include "raster/Bitmap.h"

namespace moravel {

class IconLoader {
 public:
  // Shell links leading to links are followed this deep at most; deeper
  // gives an empty target.
  static constexpr int kMaxLinkDepth = 8;
  // The size of icons asked of programs, icon files and the desktop when no
  // other is given.
  static constexpr int kIconSize = 64;
  // The largest icon plane, pixels a side: the most a button's icon needs.
  static constexpr int kMaxIconSide = 256;
  // Pictures, PNG and icon files of up to 4096 x 4096 pixels' worth are
  // read; JPEGs are decoded reduced while both sides keep kMaxIconSide.
  static constexpr PictureLimits kSourceLimits{.maxPixels = 4096 * 4096,
                                               .jpegMinSide = kMaxIconSide};

  // `desktop` must outlive the loader; `ownIcon` is the program's own icon
  // (RGBA), the last resort.
  IconLoader(const AssociatedIcons& desktop, Bitmap ownIcon);

  // The colour plane and the alpha plane of the icon at `path`, from one
  // read of the file, kept together as one RGBA picture (colour in R, G, B,
  // the alpha plane in A; SplitBitmap parts them) of the source's own size
  // (`size` x `size` for programs, icon-theme and file-manager icons; the
  // image nearest it in an icon file); a side over kMaxIconSide is stretched
  // down to it, each side on its own, as the face stretches each side to its
  // icon rectangle anyway. `size` is taken within 1..kMaxIconSide. Empty
  // when the file says there is no icon.
  Bitmap LoadIconPlane(const std::string& path, int size = kIconSize) const;

 private:
  Bitmap Load(const std::string& path, int size, int linkDepth) const;
  Bitmap Decode(const std::string& path, IconSourceKind kind, int size) const;
  Bitmap Reduced(Bitmap icon) const;
  Bitmap PicturePlane(const std::string& path) const;
  Bitmap PngPlane(const std::string& path) const;
  Bitmap IconFilePlane(const std::string& path, int size) const;
  Bitmap ExecutablePlane(const std::string& path, int size) const;
  Bitmap OtherPlane(const std::string& path, int size) const;
  Bitmap DesktopEntryPlane(const std::string& path, int size) const;

  const AssociatedIcons& desktop_;
  Bitmap ownIcon_;
  mutable DecodedFileMemo memo_;
  // The size memo_'s picture was asked at; 0 for pictures, which have their own.
  mutable int memoSize_ = 0;
};

}  // namespace moravel
