#include "platform_qt/QtCaptionPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <mutex>

#include "codecs/PictureLimits.h"
#include "raster/WholeScale.h"

namespace moravel {

namespace {

constexpr int kMaxPoints = 1000;
constexpr int kDotsPerMeterAt96Dpi = 3780;  // 96 / 0.0254, rounded

// One line of text: every control character becomes a space.
QString OneLine(std::string_view utf8) {
  QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == 0x2028 || u == 0x2029) {
      c = QLatin1Char(' ');
    }
  }
  return text;
}

QFont ToQFont(const CaptionFont& caption) {
  const QFont standard = QGuiApplication::font();
  QFont font(caption.face.empty() ? standard.family() : QString::fromStdString(caption.face), -1,
             caption.bold ? QFont::Bold : QFont::Normal, caption.italic);
  const int scale = std::clamp(caption.scale, 1, kMaxScale);
  if (caption.points > 0) {
    font.setPointSize(std::min(caption.points, kMaxPoints) * scale);
  } else if (standard.pointSizeF() > 0) {
    font.setPointSizeF(standard.pointSizeF() * scale);
  } else {
    font.setPixelSize(standard.pixelSize() * scale);
  }
  return font;
}

}  // namespace

QtCaptionPainter::QtCaptionPainter() {
  InstallFontSubstitutes();
}

void QtCaptionPainter::InstallFontSubstitutes() {
  static std::once_flag once;
  std::call_once(once, [] {
    const QString free = QStringLiteral("Liberation Sans");
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma"}) {
      QFont::insertSubstitution(QString::fromLatin1(face), free);
    }
  });
}

AlphaPlane QtCaptionPainter::DrawCaption(std::string_view text, const CaptionFont& font, int width,
                                         int height) const {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!PictureSizeAllowed(width, height)) return {};
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  auto plane = AlphaPlane::Create(width, height);
  if (image.isNull() || !plane) return {};
  image.fill(Qt::transparent);
  image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(0, 0, width, height);
    painter.setPen(Qt::white);
    painter.setFont(ToQFont(font));
    // The font's metrics on this image, so at its 96 dots per inch.
    const qreal ascent = QFontMetricsF(painter.font(), &image).ascent();
    painter.drawText(QPointF(0, ascent), OneLine(text));
  }
  for (int y = 0; y < height; ++y) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uint8_t* out = plane->row(y);
    for (int x = 0; x < width; ++x) out[x] = uint8_t(qAlpha(pixels[x]));
  }
  return std::move(*plane);
}

}  // namespace moravel
