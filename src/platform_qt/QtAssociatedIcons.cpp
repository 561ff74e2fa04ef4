#include "platform_qt/QtAssociatedIcons.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <algorithm>

#include "codecs/PictureLimits.h"
#include "platform/UserDirs.h"
#include "platform/XdgDirs.h"
#include "platform_qt/IconTheme.h"

namespace moravel {

namespace {

// The canonical form of an existing path, or empty.
std::string Canonical(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).canonicalFilePath().toStdString();
}

std::string UserFolder(const XdgDirs& xdg, const char* key, const char* standardName) {
  const std::string home = xdg.home();
  auto configured = UserDirs::FindInConfig(xdg.configHome(), key, home);
  if (configured) return Canonical(*configured);
  return Canonical((home == "/" ? "" : home) + "/" + standardName);
}

void AppendOnce(QStringList& names, const QString& name) {
  if (!name.isEmpty() && !names.contains(name)) names.append(name);
}

// `picture` scaled to fit size x size, keeping its aspect, centred on a
// transparent square; as RGBA with straight alpha.
Bitmap ToSquareBitmap(const QImage& picture, int size) {
  if (picture.isNull()) return {};
  QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
  if (square.isNull()) return {};
  square.fill(Qt::transparent);
  const bool fits = picture.width() <= size && picture.height() <= size &&
                    (picture.width() == size || picture.height() == size);
  QImage fitted =
      fits ? picture : picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  fitted.setDevicePixelRatio(1.0);
  {
    QPainter painter(&square);
    painter.drawImage((size - fitted.width()) / 2, (size - fitted.height()) / 2, fitted);
  }
  const QImage rgba = square.convertToFormat(QImage::Format_RGBA8888);
  auto out = Bitmap::Create(size, size);
  if (!out || rgba.isNull()) return {};
  for (int y = 0; y < size; ++y) {
    std::copy_n(rgba.constScanLine(y), size_t(size) * 4, out->row(y));
  }
  return std::move(*out);
}

Bitmap Render(const QIcon& icon, int size) {
  if (icon.isNull() || !PictureSizeAllowed(size, size)) return {};
  return ToSquareBitmap(icon.pixmap(QSize(size, size), 1.0).toImage(), size);
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool EndsWithNoCase(const std::string& s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    char c = s[s.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

}  // namespace

QtAssociatedIcons::QtAssociatedIcons(const Environment& env) {
  IconTheme::Apply(env);
  XdgDirs xdg(env);
  home_ = Canonical(xdg.home());
  desktop_ = UserFolder(xdg, "XDG_DESKTOP_DIR", "Desktop");
  documents_ = UserFolder(xdg, "XDG_DOCUMENTS_DIR", "Documents");
}

const char* QtAssociatedIcons::specialFolderIcon(const std::string& path) const {
  const std::string canonical = Canonical(path);
  if (canonical.empty()) return nullptr;
  if (canonical == home_) return "user-home";
  if (canonical == desktop_) return "user-desktop";
  if (canonical == documents_) return "folder-documents";
  return nullptr;
}

Bitmap QtAssociatedIcons::IconForPath(const std::string& path, int size) const {
  if (path.empty() || !PictureSizeAllowed(size, size)) return {};
  const QString qpath = QString::fromStdString(path);
  const QFileInfo info(qpath);
  const bool exists = info.exists();
  QMimeDatabase types;
  const QMimeType type = types.mimeTypeForFile(
      qpath, exists ? QMimeDatabase::MatchDefault : QMimeDatabase::MatchExtension);

  QStringList names;
  const bool folder = exists && info.isDir();
  if (folder) {
    if (const char* special = specialFolderIcon(path)) AppendOnce(names, special);
  }
  if (type.isValid()) {
    AppendOnce(names, type.iconName());
    AppendOnce(names, type.genericIconName());
    for (const QString& ancestor : type.allAncestors()) {
      AppendOnce(names, types.mimeTypeForName(ancestor).iconName());
    }
  }
  if (folder) AppendOnce(names, QStringLiteral("folder"));
  if (exists && IsExecutableFile(path))
    AppendOnce(names, QStringLiteral("application-x-executable"));
  AppendOnce(names, QStringLiteral("text-x-generic"));

  for (const QString& name : names) {
    const QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull()) continue;
    Bitmap picture = Render(icon, size);
    if (!picture.empty()) return picture;
  }
  return {};
}

Bitmap QtAssociatedIcons::IconByName(const std::string& nameOrPath, int size) const {
  if (nameOrPath.empty() || !PictureSizeAllowed(size, size)) return {};
  if (nameOrPath[0] == '/') return Render(QIcon(QString::fromStdString(nameOrPath)), size);
  std::string name = nameOrPath;
  for (std::string_view suffix : {".png", ".svg", ".xpm"}) {
    if (EndsWithNoCase(name, suffix)) {
      name.resize(name.size() - suffix.size());
      break;
    }
  }
  if (name.empty()) return {};
  return Render(QIcon::fromTheme(QString::fromStdString(name)), size);
}

}  // namespace moravel
