#pragma once
// Tells, without running any program, whether the desktop can open URIs of a
// scheme such as "trash". A scheme counts as handled when
//  - a desktop entry (*.desktop under applications/ of $XDG_DATA_HOME or a
//    $XDG_DATA_DIRS folder, subfolders included) lists
//    x-scheme-handler/<scheme> in MimeType and is not Hidden, or
//  - a mimeapps.list ($XDG_CONFIG_HOME, $XDG_CONFIG_DIRS, applications/ of
//    the data folders, plus their "<desktop>-mimeapps.list" variants for
//    $XDG_CURRENT_DESKTOP) names an application for it under
//    [Default Applications] or [Added Associations], or
//  - GVfs serves it: a gvfs/mounts/*.mount file in a data folder has
//    Type=<scheme>. The file managers of GNOME, Cinnamon, MATE and Xfce open
//    trash:, computer: and network: that way without declaring a handler.

#include <string>

#include "platform/Environment.h"

namespace moravel {

class SchemeHandlerLookup {
 public:
  explicit SchemeHandlerLookup(const Environment& env) : env_(env) {}  // env must outlive this

  bool hasHandler(const std::string& scheme) const;

 private:
  bool declaredByDesktopEntry(const std::string& mimeType) const;
  bool namedInMimeAppsList(const std::string& mimeType) const;
  bool servedByGvfs(const std::string& scheme) const;

  const Environment& env_;
};

}  // namespace moravel
