#pragma once
// How one state of a button template is drawn: where the icon and the caption
// go in the template picture, how the icon is faded and tinted, and the
// caption's font. Read from a [freebutton<T>] section of the skin's
// config.ini, one set of keys per state (x1, x2, x3, ...).

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace moravel {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The caption colour the editor assumes for the up state when red1, green1
// or blue1 is missing: grey when the editor opens, green once the user has
// picked a template.
inline constexpr Rgb kCaptionGreyDefault{200, 200, 200};
inline constexpr Rgb kCaptionGreenDefault{0, 255, 0};

// Template states: the pictures of a button under no pointer, under the
// pointer, and pressed.
enum class ButtonState { kUp = 1, kOver = 2, kDown = 3 };

struct FaceParams {
  int iconLeft = 0, iconTop = 0;      // pixels in the template picture
  int iconWidth = 1, iconHeight = 1;  // size the icon is scaled to
  int textLeft = 0, textTop = 0;      // caption rectangle, pixels
  int textWidth = 1, textHeight = 1;  // the caption is clipped to it
  uint8_t iconAlpha = 255;            // opacity factor of the icon
  uint8_t textAlpha = 255;            // opacity of the caption's glyph pixels
  uint8_t effect = 0;                 // 1: tint the icon between tintDark and tintLight
  Rgb tintLight{255, 255, 255};       // what the brightest icon pixels become
  Rgb tintDark{0, 0, 0};              // what black icon pixels become
  std::string fontName;               // empty: the platform's face
  int fontSize = 0;                   // points; 0: the platform's size
  Rgb fontColour = kCaptionGreyDefault;
  bool bold = false, italic = false;
  bool mergeIconAlpha = true;  // the icon's alpha joins the button's shape

  friend bool operator==(const FaceParams&, const FaceParams&) = default;
};

// The drawing keys of `state` in `section` with their defaults and the
// fall-backs of the over and down states:
//  - x y w h tx ty tw th s k b alp red green blue: over falls back to the up
//    key, down to the over key and then the up key;
//  - icoalpha textalpha effect white* black*: over and down fall back to the
//    up key only;
//  - the up state's font is "font1", the over and down states' is "font";
//  - a missing red1, green1 or blue1 counts as `upCaptionDefault` for the up
//    state and as 200 for the others.
// A key that is missing or no number takes its fall-back; byte keys keep the
// low 8 bits of the number (300 acts as 44).
FaceParams ReadFaceParams(const IniFile& config, std::string_view section, ButtonState state,
                          Rgb upCaptionDefault = kCaptionGreyDefault);

// The template picture of `state` as stored (relative to the skin folder):
// image1; image2, else image1; image3, else image2, else image1. Empty when
// none is given.
std::string TemplateImageName(const IniFile& config, std::string_view section, ButtonState state);

}  // namespace moravel
