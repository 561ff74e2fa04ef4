#pragma once
// What the button editor hands on for a new button when the user confirms
// it: the placement takes the template, the commit everything.

#include <string>

#include "editor/ButtonAction.h"
#include "editor/FaceParams.h"

namespace moravel {

struct NewButtonDesign {
  int templateNumber = 0;  // T of [freebutton<T>]; 0 when the skin has no template
  std::string target;      // the target text box as typed or browsed
  ButtonAction action = ButtonAction::kOpenFile;
  std::string iconSource;  // the file the icon comes from; may be empty
  std::string caption;     // as the caption poll last copied it
  FaceParams upParams;     // the up state's, as the editor last read them
};

}  // namespace moravel
