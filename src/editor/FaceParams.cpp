#include "editor/FaceParams.h"

#include <string>

namespace moravel {
namespace {

// Reads `stem` + state with the fall-back chain of its key group.
class StateKeys {
 public:
  StateKeys(const IniFile& config, std::string_view section, ButtonState state)
      : config_(config), section_(section), state_(int(state)) {}

  // Down falls back to over, then up.
  int Chained(std::string_view stem, int fallback) const { return Read(stem, state_, fallback); }
  // Over and down fall back to up only.
  int UpOnly(std::string_view stem, int fallback) const {
    int up = Key(stem, 1, fallback);
    return state_ == 1 ? up : Key(stem, state_, up);
  }
  uint8_t Byte(std::string_view stem, int fallback) const {
    return uint8_t(unsigned(UpOnly(stem, fallback)) & 0xFF);
  }
  bool Flag(std::string_view stem, bool fallback) const { return Chained(stem, fallback) != 0; }

 private:
  int Read(std::string_view stem, int state, int fallback) const {
    if (state > 1) fallback = Read(stem, state - 1, fallback);
    return Key(stem, state, fallback);
  }
  int Key(std::string_view stem, int state, int fallback) const {
    return config_.ReadInt(section_, std::string(stem) + std::to_string(state), fallback);
  }

  const IniFile& config_;
  std::string_view section_;
  int state_;
};

}  // namespace

FaceParams ReadFaceParams(const IniFile& config, std::string_view section, ButtonState state,
                          Rgb upCaptionDefault) {
  const StateKeys k(config, section, state);
  const Rgb caption = state == ButtonState::kUp ? upCaptionDefault : kCaptionGreyDefault;
  auto chainedByte = [&](std::string_view stem, uint8_t fallback) {
    return uint8_t(unsigned(k.Chained(stem, fallback)) & 0xFF);
  };
  FaceParams p;
  p.iconLeft = k.Chained("x", 0);
  p.iconTop = k.Chained("y", 0);
  p.iconWidth = k.Chained("w", 1);
  p.iconHeight = k.Chained("h", 1);
  p.textLeft = k.Chained("tx", 0);
  p.textTop = k.Chained("ty", 0);
  p.textWidth = k.Chained("tw", 1);
  p.textHeight = k.Chained("th", 1);
  p.iconAlpha = k.Byte("icoalpha", 255);
  p.textAlpha = k.Byte("textalpha", 255);
  p.effect = k.Byte("effect", 0);
  p.tintLight = {k.Byte("whitered", 255), k.Byte("whitegreen", 255), k.Byte("whiteblue", 255)};
  p.tintDark = {k.Byte("blackred", 0), k.Byte("blackgreen", 0), k.Byte("blackblue", 0)};
  p.fontName = config.ReadString(section, state == ButtonState::kUp ? "font1" : "font", "");
  p.fontSize = k.Chained("s", 0);
  p.fontColour = {chainedByte("red", caption.r), chainedByte("green", caption.g),
                  chainedByte("blue", caption.b)};
  p.italic = k.Flag("k", false);
  p.bold = k.Flag("b", false);
  p.mergeIconAlpha = k.Flag("alp", true);
  return p;
}

std::string TemplateImageName(const IniFile& config, std::string_view section, ButtonState state) {
  std::string image;
  for (int s = 1; s <= int(state); ++s)
    image = config.ReadString(section, "image" + std::to_string(s), image);
  return image;
}

}  // namespace moravel
