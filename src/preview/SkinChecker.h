#pragma once
// The checks of a skin's settings files that the scene build cannot see,
// through the program's own readers:
//  - config.ini missing, or either file unreadable;
//  - numbered sections ([picture..] and [freebutton..] of config.ini,
//    [button..] of user.ini) and the numbered keys posx.. of a template that
//    are never read: after a gap in the numbering (NumberedItems.h), past the
//    program's limit of 500, numbered 0 or with leading zeros;
//  - keys the program reads as numbers whose values are none (IniFile reads
//    the default then, without a word).
// Button templates and placements have checks of their own (TemplateCheck.h,
// OffScreenCheck.h).

#include "desktop/SettingsFiles.h"
#include "desktop/SkinProblems.h"

namespace moravel {

// `files` as the desktop opened them (config and user may be null: nothing
// is then checked of them).
void CheckSkinSettings(const SettingsFiles& files, SkinProblems& problems);

}  // namespace moravel
