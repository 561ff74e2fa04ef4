#pragma once
// AssociatedIcons from the Windows shell.
//
// IconForPath: the large icon Explorer shows for the file or folder
// (SHGetFileInfo); a path that does not exist gets the icon of the type its
// name says. IconByName: Windows has no icon themes, so only a picture file
// named by absolute path gives an icon, decoded by the program's own readers
// (PictureFile) within the icon sources' limits (IconLoader::kSourceLimits);
// anything else gives nothing.
//
// Pictures are exactly size x size (SquareIcon). Sizes below 1 or over the
// picture limits give an empty Bitmap. COM is made ready around each call
// (ComScope). The shell may take its time over a slow or network drive, as
// Explorer does.

#include "editor/AssociatedIcons.h"

namespace moravel {

class ShellAssociatedIcons : public AssociatedIcons {
 public:
  Bitmap IconForPath(const std::string& path, int size) const override;
  Bitmap IconByName(const std::string& nameOrPath, int size) const override;
};

}  // namespace moravel
