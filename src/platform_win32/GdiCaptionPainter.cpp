#include "platform_win32/GdiCaptionPainter.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "codecs/PictureLimits.h"
#include "platform_win32/WideText.h"
#include "raster/WholeScale.h"

namespace moravel {
namespace {

constexpr int kMaxPoints = 1000;
constexpr int kDotsPerInch = 96;
constexpr wchar_t kDefaultFace[] = L"MS Sans Serif";

// One line of text: every control character becomes a space.
std::wstring OneLine(std::string_view utf8) {
  std::wstring text = WideFromUtf8(utf8);
  for (wchar_t& c : text) {
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) c = L' ';
  }
  return text;
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

void SetFace(LOGFONTW& font, std::wstring_view face) {
  const size_t length = std::min(face.size(), size_t(LF_FACESIZE - 1));
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
  std::copy_n(face.data(), length, font.lfFaceName);
}

bool FaceInstalled(HDC dc, std::wstring_view face) {
  LOGFONTW wanted{};
  // Only with Cyrillic letters: the bitmap "MS Sans Serif" holds the
  // system's code page alone, and GDI links no other font into it.
  wanted.lfCharSet = RUSSIAN_CHARSET;
  SetFace(wanted, face);
  bool found = false;
  ::EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The font `caption` asks for, on the default GUI font's face and size.
LOGFONTW FontFor(HDC dc, const CaptionFont& caption) {
  LOGFONTW font{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  const int scale = std::clamp(caption.scale, 1, kMaxScale);
  if (caption.points > 0)
    font.lfHeight = -::MulDiv(std::min(caption.points, kMaxPoints), kDotsPerInch, 72);
  font.lfHeight *= scale;
  font.lfWidth = 0;
  font.lfEscapement = 0;
  font.lfOrientation = 0;
  font.lfWeight = caption.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = caption.italic ? TRUE : FALSE;
  font.lfUnderline = FALSE;
  font.lfStrikeOut = FALSE;
  font.lfCharSet = DEFAULT_CHARSET;  // any script the text is in
  font.lfQuality = ANTIALIASED_QUALITY;
  if (!caption.face.empty()) {
    SetFace(font, WideFromUtf8(caption.face));
  } else {
    static const bool hasDefaultFace = FaceInstalled(dc, kDefaultFace);  // once per process
    if (hasDefaultFace) SetFace(font, kDefaultFace);
  }
  return font;
}

}  // namespace

AlphaPlane GdiCaptionPainter::DrawCaption(std::string_view text, const CaptionFont& font, int width,
                                          int height) const {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!PictureSizeAllowed(width, height)) return {};
  std::optional<AlphaPlane> plane = AlphaPlane::Create(width, height);
  if (!plane) return {};
  const std::wstring line = OneLine(text);
  if (line.empty()) return std::move(*plane);

  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!dc) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const LOGFONTW logical = FontFor(dc, font);
  HFONT face = dib && bits ? ::CreateFontIndirectW(&logical) : nullptr;
  const bool drawn = face != nullptr;
  if (drawn) {
    HGDIOBJ oldBitmap = ::SelectObject(dc, dib);
    HGDIOBJ oldFont = ::SelectObject(dc, face);
    auto* pixels = static_cast<uint8_t*>(bits);  // BGRX, width * 4 bytes a row
    std::memset(pixels, 0, size_t(width) * size_t(height) * 4);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    RECT area{0, 0, width, height};
    ::ExtTextOutW(dc, 0, 0, ETO_CLIPPED, &area, line.c_str(), UINT(line.size()), nullptr);
    ::GdiFlush();  // GDI may batch; the bits are read next
    for (int y = 0; y < height; ++y) {
      const uint8_t* in = pixels + size_t(y) * size_t(width) * 4;
      uint8_t* out = plane->row(y);
      for (int x = 0; x < width; ++x) out[x] = in[4 * x + 1];
    }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
  }
  if (face) ::DeleteObject(face);
  if (dib) ::DeleteObject(dib);
  ::DeleteDC(dc);
  return drawn ? std::move(*plane) : AlphaPlane();
}

}  // namespace moravel
