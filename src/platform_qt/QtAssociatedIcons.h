#pragma once
// AssociatedIcons drawn with Qt Gui: the type comes from QMimeDatabase (which
// reads the shared-mime-info database, /usr/share/mime), the picture from
// QIcon's theme lookup set up by IconTheme.
//
// For a path the names tried, first found wins: for the home, desktop and
// documents folders "user-home", "user-desktop", "folder-documents"; the
// type's icon name, its generic icon name, the icon name of each ancestor
// type; "folder" for a folder; "application-x-executable" for an executable
// regular file; "text-x-generic". A missing path is typed by its name alone.
//
// Qt never opens a file named here itself: a regular file's type is sniffed
// from its first bytes and a picture named by absolute path is decoded from
// its bytes, both read with ReadWholeFile (FileIo.h), which never waits on a
// FIFO. Such a picture file holds at most 16 MiB; an SVG that links other
// files (which Qt's SVG reader would open without such care) gives nothing.
//
// Pictures are exactly size x size: a smaller or non-square rendering is
// scaled to fit, keeping its aspect, and centred on transparent margins.
// Sizes below 1 or above the picture limits give an empty Bitmap.
//
// Needs the QGuiApplication; use from its thread only (QIcon, QPixmap).

#include <string>

#include "editor/AssociatedIcons.h"
#include "platform/Environment.h"

namespace moravel {

class QtAssociatedIcons : public AssociatedIcons {
 public:
  // Sets up the icon theme from `env` (IconTheme::Apply) and reads where the
  // home, desktop and documents folders are. `env` is not kept.
  explicit QtAssociatedIcons(const Environment& env);

  Bitmap IconForPath(const std::string& path, int size) const override;
  Bitmap IconByName(const std::string& nameOrPath, int size) const override;

 private:
  // The special folder icon for `path`, or nullptr when it is none of them.
  const char* specialFolderIcon(const std::string& path) const;

  std::string home_;  // canonical paths; empty when unknown
  std::string desktop_;
  std::string documents_;
};

}  // namespace moravel
