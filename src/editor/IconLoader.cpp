#include "editor/IconLoader.h"

#include <algorithm>
#include <utility>

#include "codecs/ExecutableIcon.h"
#include "codecs/IcoCodec.h"
#include "codecs/PictureFile.h"
#include "codecs/PngCodec.h"
#include "editor/IconSourceKind.h"
#include "editor/ShortcutTarget.h"
#include "platform/DesktopEntry.h"
#include "raster/Stretch.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

// The decoder the extension's leading letters name ("jpegx" is a JPEG).
PictureFormat PictureFormatOf(const std::string& path) {
  if (ExtensionStartsWith(path, "bmp")) return PictureFormat::Bmp;
  if (ExtensionStartsWith(path, "gif")) return PictureFormat::Gif;
  return PictureFormat::Jpeg;
}

}  // namespace

IconLoader::IconLoader(const AssociatedIcons& desktop, Bitmap ownIcon)
    : desktop_(desktop), ownIcon_(std::move(ownIcon)) {}

Bitmap IconLoader::LoadIconPlane(const std::string& path, int size) const {
  return Load(path, std::clamp(size, 1, kMaxIconSide), 0);
}

Bitmap IconLoader::Load(const std::string& path, int size, int linkDepth) const {
  const IconSourceKind kind = ClassifyIconSource(path);
  switch (kind) {
    case IconSourceKind::kPicture:
    case IconSourceKind::kPng:
    case IconSourceKind::kIconFile:
    case IconSourceKind::kExecutable: {
      const bool ownSize = kind == IconSourceKind::kPicture || kind == IconSourceKind::kPng;
      const int asked = ownSize ? 0 : size;
      auto identity = DecodedFileMemo::Examine(path);
      if (identity && asked == memoSize_) {
        if (auto kept = memo_.Find(path, *identity)) return std::move(*kept);
      }
      Bitmap icon = Reduced(Decode(path, kind, size));
      if (identity) {
        memo_.Keep(path, *identity, icon);
        memoSize_ = asked;
      }
      return icon;
    }
    case IconSourceKind::kShortcut: {
      std::string target = linkDepth < kMaxLinkDepth ? ShortcutTarget(path) : std::string();
      // An empty target names nothing: the desktop's icon for no file.
      return target.empty() ? OtherPlane(target, size) : Load(target, size, linkDepth + 1);
    }
    case IconSourceKind::kOther:
      break;
  }
  if (ExtensionStartsWith(path, "desktop")) {
    Bitmap icon = DesktopEntryPlane(path, size);
    if (!icon.empty()) return icon;
  }
  return OtherPlane(path, size);
}

Bitmap IconLoader::Decode(const std::string& path, IconSourceKind kind, int size) const {
  switch (kind) {
    case IconSourceKind::kPicture:
      return PicturePlane(path);
    case IconSourceKind::kPng:
      return PngPlane(path);
    case IconSourceKind::kIconFile:
      return IconFilePlane(path, size);
    default:
      return ExecutablePlane(path, size);
  }
}

// At most kMaxIconSide a side; the program's own icon when memory runs out.
Bitmap IconLoader::Reduced(Bitmap icon) const {
  const int width = std::min(icon.width(), kMaxIconSide);
  const int height = std::min(icon.height(), kMaxIconSide);
  if (width == icon.width() && height == icon.height()) return icon;
  return StretchBitmapToSize(icon, width, height) ? icon : ownIcon_;
}

// Pictures are fully opaque, whatever alpha their file holds.
Bitmap IconLoader::PicturePlane(const std::string& path) const {
  Result<Bitmap> picture =
      LoadPictureFile(PathFromUtf8(path), PictureFormatOf(path), kSourceLimits);
  if (!picture.ok()) return ownIcon_;
  uint8_t* rgba = picture->data();
  for (size_t i = 3, n = picture->byteCount(); i < n; i += 4) rgba[i] = 255;
  return std::move(*picture);
}

// Colour as stored, alpha as stored (opaque when the PNG has none).
Bitmap IconLoader::PngPlane(const std::string& path) const {
  Result<Bitmap> picture = LoadPictureFile(PathFromUtf8(path), PictureFormat::Png, kSourceLimits);
  return picture.ok() ? std::move(*picture) : ownIcon_;
}

// An icon file shows its own image nearest the size asked; a damaged one
// shows what the desktop shows for it.
Bitmap IconLoader::IconFilePlane(const std::string& path, int size) const {
  if (Result<std::vector<uint8_t>> bytes = ReadPictureFileBytes(PathFromUtf8(path))) {
    Result<Bitmap> icon = DecodeIcoNearest(*bytes, size, kSourceLimits);
    if (icon.ok()) return std::move(*icon);
  }
  return OtherPlane(path, size);
}

// A program without icons has none (empty planes); a file that is no
// program, or cannot be read, shows the program's own icon.
Bitmap IconLoader::ExecutablePlane(const std::string& path, int size) const {
  Result<Bitmap> icon = ReadExecutableIcon(PathFromUtf8(path), size);
  if (icon) return std::move(*icon);
  if (icon.error().kind == ErrorKind::kEmpty) return {};
  return ownIcon_;
}

Bitmap IconLoader::OtherPlane(const std::string& path, int size) const {
  Bitmap icon = desktop_.IconForPath(path, size);
  return icon.empty() ? ownIcon_ : icon;
}

// A launcher's Icon: a picture file we read ourselves, else the desktop's
// picture for that file or theme name. Empty planes when it names nothing.
Bitmap IconLoader::DesktopEntryPlane(const std::string& path, int size) const {
  std::optional<DesktopEntry> entry = ReadDesktopEntry(path, {});
  if (!entry || entry->icon.empty()) return {};
  const std::string& icon = entry->icon;
  if (PathFromUtf8(icon).is_absolute()) {
    switch (ClassifyIconSource(icon)) {
      case IconSourceKind::kPicture:
      case IconSourceKind::kPng:
      case IconSourceKind::kIconFile:
        return Load(icon, size, kMaxLinkDepth);
      default:
        break;
    }
  }
  return desktop_.IconByName(icon, size);
}

}  // namespace moravel
