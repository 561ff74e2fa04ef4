#pragma once
// Turns the editor's design and the chosen place into a working button:
// the next number, the three state pictures drawn from the template and
// saved, the user.ini record, the button live on the desktop at once.
//
// Nothing is lost by a crash or a full disk: the pictures are written first,
// each atomically, then the record in one atomic update, so a record never
// names a half-written picture. A picture that cannot be saved shows
// "Нет доступа на запись в каталоге " + the skin folder (or why else it
// failed), and the button is made all the same, that state empty. A desktop
// that already has 500 buttons refuses the new one with a message and writes
// nothing.

#include <string>

#include "desktop/DesktopModel.h"
#include "editor/ButtonFaceRenderer.h"
#include "editor/NewButtonDesign.h"

namespace moravel {

inline constexpr const char* kNoWriteAccessMessage = "Нет доступа на запись в каталоге ";
inline constexpr const char* kDesktopFullMessage =
    "На рабочем столе уже 500 кнопок: новую кнопку добавить нельзя.";

class NewButtonCommit {
 public:
  // Both outlive the commit.
  NewButtonCommit(DesktopModel& model, const ButtonFaceRenderer& renderer)
      : model_(model), renderer_(renderer) {}

  // Makes button count + 1 at (left, top), screen pixels. Returns its number;
  // 0 when refused. The caller ends the placement afterwards.
  int CommitNewButton(const NewButtonDesign& design, int left, int top);

 private:
  void Message(const std::string& text);

  DesktopModel& model_;
  const ButtonFaceRenderer& renderer_;
};

}  // namespace moravel
