#include "platform_qt/QtAssociatedIcons.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>

#include "codecs/PictureLimits.h"
#include "editor/IconLoader.h"
#include "platform/UserDirs.h"
#include "platform/XdgDirs.h"
#include "platform_qt/IconTheme.h"
#include "settings/FileIo.h"

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

// As much of a file as QMimeDatabase reads to sniff its type.
constexpr size_t kTypeSniffBytes = 16384;
// Picture files named by absolute path; icons are a few KiB to a few MiB.
constexpr size_t kMaxIconFileBytes = size_t(16) << 20;

QByteArray BytesOf(const FileBytes& read) {
  return QByteArray(read.text().data(), qsizetype(read.bytes.size()));
}

// The type of what is at `path`. Qt is never left to open the file itself:
// only a regular file's first bytes, read without waiting (FileIo.h), are
// sniffed, so a FIFO put there, even in a race, cannot block the caller.
QMimeType TypeOf(const QMimeDatabase& types, const std::string& path, const struct stat* st) {
  const QString qpath = QString::fromStdString(path);
  if (!st) return types.mimeTypeForFile(qpath, QMimeDatabase::MatchExtension);
  const char* special = S_ISDIR(st->st_mode)    ? "inode/directory"
                        : S_ISFIFO(st->st_mode) ? "inode/fifo"
                        : S_ISCHR(st->st_mode)  ? "inode/chardevice"
                        : S_ISBLK(st->st_mode)  ? "inode/blockdevice"
                        : S_ISSOCK(st->st_mode) ? "inode/socket"
                                                : nullptr;
  if (special) return types.mimeTypeForName(QString::fromLatin1(special));
  const Result<FileBytes> head = ReadWholeFile(path, kTypeSniffBytes, LongFile::kCut);
  if (!head) return types.mimeTypeForFile(qpath, QMimeDatabase::MatchExtension);
  return types.mimeTypeForFileNameAndData(qpath, BytesOf(*head));
}

// True when Qt's SVG reader would open another file for this SVG: an
// <image> whose link is no "data:" URI, or an xml-stylesheet instruction.
// It would open even a FIFO and wait on it, so such a picture is refused.
// The scan uses the same XML reader, so it sees what the SVG reader sees.
bool SvgNamesOtherFiles(const QByteArray& svg) {
  QXmlStreamReader xml(svg);
  xml.setNamespaceProcessing(false);
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::ProcessingInstruction &&
        xml.processingInstructionTarget() == u"xml-stylesheet")
      return true;
    if (token != QXmlStreamReader::StartElement) continue;
    const QStringView name = xml.qualifiedName();
    if (name != u"image" && !name.endsWith(u":image")) continue;
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
      const QStringView key = attribute.qualifiedName();
      if ((key == u"href" || key.endsWith(u":href")) && !attribute.value().startsWith(u"data"))
        return true;
    }
  }
  return false;  // a damaged document stops the SVG reader where it stops this scan
}

// The picture file at `path` as QIcon would draw it, from bytes we read
// ourselves (a regular file, without waiting); empty when it cannot be read.
// The format comes from the bytes, else from the extension. A compressed
// SVG cannot be scanned (above) and is refused.
Bitmap RenderPictureFile(const std::string& path, int size) {
  const Result<FileBytes> read = ReadWholeFile(path, kMaxIconFileBytes);
  if (!read) return {};
  QByteArray bytes = BytesOf(*read);
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QByteArray format = QImageReader::imageFormat(&buffer);
  if (format.isEmpty())
    format = QFileInfo(QString::fromStdString(path)).suffix().toLower().toLatin1();
  const bool svg = format.startsWith("svg");
  if (svg && (format != "svg" || SvgNamesOtherFiles(bytes))) return {};
  QImageReader reader(&buffer, format);
  reader.setAutoDetectImageFormat(false);  // decoded as the format checked above
  const QSize natural = reader.size();
  if (svg && natural.isValid()) {
    reader.setScaledSize(natural.scaled(size, size, Qt::KeepAspectRatio));  // drawn at the size
  } else if (natural.isValid() &&
             !IconLoader::kSourceLimits.Allows(natural.width(), natural.height())) {
    return {};  // drawn as a button's icon source would be: within the same limits
  }
  return ToSquareBitmap(reader.read(), size);
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
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  QMimeDatabase types;
  const QMimeType type = TypeOf(types, path, exists ? &st : nullptr);

  QStringList names;
  const bool folder = exists && S_ISDIR(st.st_mode);
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
  if (exists && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0)
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
  if (nameOrPath[0] == '/') return RenderPictureFile(nameOrPath, size);
  // Theme names never hold a "/"; one that does could lead out of the themes.
  if (nameOrPath.find('/') != std::string::npos) return {};
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
