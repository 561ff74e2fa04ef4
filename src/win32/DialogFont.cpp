#include "win32/DialogFont.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace moravel {
namespace {

constexpr wchar_t kFace[] = L"MS Sans Serif";

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

void SetFace(LOGFONTW& font, std::wstring_view face) {
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
  std::copy_n(face.data(), std::min(face.size(), size_t(LF_FACESIZE - 1)), font.lfFaceName);
}

bool FaceInstalled(std::wstring_view face) {
  // Only a face with Cyrillic letters: "MS Sans Serif" is a bitmap font
  // holding the system's code page alone, and GDI links no other font in.
  LOGFONTW wanted{};
  wanted.lfCharSet = RUSSIAN_CHARSET;
  SetFace(wanted, face);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

// The face of the system's dialog font: the one its message boxes use.
void SetSystemDialogFace(LOGFONTW& font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    SetFace(font, metrics.lfMessageFont.lfFaceName);
  } else {
    LOGFONTW gui{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    SetFace(font, gui.lfFaceName);
  }
}

}  // namespace

DialogFont::DialogFont(int points, bool bold) {
  LOGFONTW font{};
  HDC screen = ::GetDC(nullptr);
  font.lfHeight = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  static const bool haveFace = FaceInstalled(kFace);
  if (haveFace) {
    SetFace(font, kFace);
  } else {
    SetSystemDialogFace(font);
  }
  font_ = ::CreateFontIndirectW(&font);
}

DialogFont::~DialogFont() {
  if (font_) ::DeleteObject(font_);
}

}  // namespace moravel
