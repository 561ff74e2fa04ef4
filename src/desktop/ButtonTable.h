#pragma once
// The desktop's launch buttons: the one owner of the scene's button slots,
// their controls and their user.ini records. A button's number is its
// user.ini section [button<k>], its slot and its control's tag at once; the
// table keeps the three in step, numbered 1 .. count() without gaps.

#include <optional>
#include <string>

#include "desktop/DesktopScene.h"
#include "desktop/MainMenuState.h"
#include "desktop/PointerState.h"
#include "scene/ControlStack.h"
#include "settings/IniBatch.h"
#include "settings/IniFile.h"

namespace moravel {

// A button's record in user.ini as the program writes it.
struct ButtonRecord {
  std::string object;                // target; empty for a special folder
  std::optional<std::string> param;  // arguments or the special folder's number; none: not written
  int x = 0, y = 0;                  // screen pixels
  std::string image;                 // the up picture, stored form ("temp\freebutton3_u.png")
  bool transparent = false;          // "tr"
};

class ButtonTable {
 public:
  // All outlive the table.
  ButtonTable(DesktopScene& scene, ControlStack& controls, PointerState& pointer,
              const MainMenuState& menu)
      : scene_(scene), controls_(controls), pointer_(pointer), menu_(menu) {}

  int count() const { return scene_.buttonCount; }
  // The number a new button takes: count() + 1; nothing when the table is full.
  std::optional<int> NextNumber() const;

  // Puts `button` into slot count() + 1 and shows it at (left, top): a new
  // control above every earlier control, tag = its number, the button
  // handlers, the click bound as the double-click mode says, the up picture;
  // it becomes the hovered control. Returns its number; 0 when full.
  int Add(DesktopButton button, int left, int top, bool transparent);

  // Takes button k's control off the desktop and empties its slot; the
  // count drops when k was the last. A hovered or selected button k is
  // forgotten. Nothing for a k outside 1 .. count().
  void Remove(int k);
  // Moves the last button into the empty slot `to` (after Remove(to)): its
  // control keeps its place, pictures and handlers and takes the tag `to`;
  // the count drops by one. Nothing unless `to` is empty and below count().
  void MoveLastInto(int to);

  // Takes every button off the desktop (the files are not touched).
  void Clear();

  // Binds every button's launch to the double click or to the click.
  void RebindClicks(bool doubleClick);

  // The one atomic update that writes `record` as [button<number>], in the
  // key order object, param, x, y, image, tr (an older section of that name
  // is replaced whole).
  static IniBatch RecordUpdate(int number, const ButtonRecord& record);

  // Said when the skin's user.ini exists but cannot be read: until the skin
  // is loaded again, no button of it is made or removed, so that its records
  // and pictures are never overwritten.
  static std::string UnreadableRecordsMessage(const IniFile& user);

 private:
  DesktopScene& scene_;
  ControlStack& controls_;
  PointerState& pointer_;
  const MainMenuState& menu_;
};

}  // namespace moravel
