#include "platform_qt/IconTheme.h"

#include <sys/stat.h>

#include <QIcon>
#include <QString>
#include <QStringList>

#include "platform/XdgDirs.h"

namespace moravel {

namespace {

QStringList ToQt(const std::vector<std::string>& paths) {
  QStringList out;
  for (const auto& p : paths) out.append(QString::fromStdString(p));
  return out;
}

}  // namespace

std::vector<std::string> IconTheme::SearchPaths(const Environment& env) {
  XdgDirs xdg(env);
  std::vector<std::string> paths{xdg.dataHome() + "/icons"};
  for (const auto& dir : xdg.dataDirs()) paths.push_back(dir + "/icons");
  const std::string home = xdg.home();
  paths.push_back((home == "/" ? "" : home) + "/.icons");
  return paths;
}

std::string IconTheme::Choose(std::string_view platformTheme, bool adwaitaInstalled) {
  if (!platformTheme.empty() && platformTheme != "hicolor") return std::string(platformTheme);
  return adwaitaInstalled ? "Adwaita" : "hicolor";
}

bool IconTheme::Installed(std::string_view theme, const std::vector<std::string>& searchPaths) {
  for (const auto& dir : searchPaths) {
    const std::string index = dir + "/" + std::string(theme) + "/index.theme";
    struct stat st {};
    if (stat(index.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return true;
  }
  return false;
}

void IconTheme::Apply(const Environment& env) {
  // Read before our first setThemeName, after which Qt reports ours.
  static const std::string platformTheme = QIcon::themeName().toStdString();
  const std::vector<std::string> paths = SearchPaths(env);
  QIcon::setThemeSearchPaths(ToQt(paths));
  QIcon::setFallbackSearchPaths({QStringLiteral("/usr/share/pixmaps")});
  QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
  QIcon::setThemeName(QString::fromStdString(Choose(platformTheme, Installed("Adwaita", paths))));
}

}  // namespace moravel
