#include "platform_win32/ShellAssociatedIcons.h"

// The shell headers need windows.h before them.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "codecs/PictureFile.h"
#include "codecs/PictureLimits.h"
#include "editor/IconLoader.h"
#include "platform_win32/ComScope.h"
#include "platform_win32/IconBitmap.h"
#include "platform_win32/SquareIcon.h"
#include "settings/Utf8Path.h"

namespace moravel {

Bitmap ShellAssociatedIcons::IconForPath(const std::string& path, int size) const {
  if (path.empty() || !PictureSizeAllowed(size, size)) return {};
  const std::wstring file = PathFromUtf8(path).wstring();
  UINT flags = SHGFI_ICON | SHGFI_LARGEICON;
  DWORD attributes = 0;
  if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    flags |= SHGFI_USEFILEATTRIBUTES;  // nothing there to look at: the name's type alone
    attributes = FILE_ATTRIBUTE_NORMAL;
  }
  ComScope com;
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(file.c_str(), attributes, &info, sizeof info, flags) || !info.hIcon)
    return {};
  Bitmap icon = BitmapOfIcon(info.hIcon);
  ::DestroyIcon(info.hIcon);
  return SquareIcon(std::move(icon), size);
}

Bitmap ShellAssociatedIcons::IconByName(const std::string& nameOrPath, int size) const {
  if (nameOrPath.empty() || !PictureSizeAllowed(size, size)) return {};
  const std::filesystem::path path = PathFromUtf8(nameOrPath);
  if (!path.is_absolute()) return {};
  Result<std::vector<uint8_t>> bytes = ReadPictureFileBytes(path);
  if (!bytes) return {};
  PictureFormat format = PictureFormatOfBytes(*bytes);
  if (format == PictureFormat::Unknown) format = PictureFormatForName(Utf8Of(path.filename()));
  Result<Bitmap> picture = DecodePicture(format, *bytes, IconLoader::kSourceLimits);
  if (!picture) return {};
  return SquareIcon(std::move(*picture), size);
}

}  // namespace moravel
