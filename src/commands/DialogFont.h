#pragma once
// The font of the program's dialogs: "MS Sans Serif" at the given size in
// points; where the system lacks it, fontconfig's nearest sans face, or
// DejaVu Sans.

#include <QFont>

namespace moravel {

inline QFont DialogFont(int points, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"), points);
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setBold(bold);
  return font;
}

}  // namespace moravel
