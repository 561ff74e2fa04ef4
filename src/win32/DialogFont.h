#pragma once
// A font of the program's dialogs: "MS Sans Serif" at the given size in
// points where the system has that face, else the system's dialog (message
// box) font's face at that size. Owned: deleted with the object, so it must
// outlive every control it was given to.

#include <windows.h>

namespace moravel {

class DialogFont {
 public:
  DialogFont(int points, bool bold);
  ~DialogFont();
  DialogFont(const DialogFont&) = delete;
  DialogFont& operator=(const DialogFont&) = delete;

  HFONT handle() const { return font_; }

 private:
  HFONT font_;
};

}  // namespace moravel
