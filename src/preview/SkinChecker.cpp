#include "preview/SkinChecker.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "desktop/DesktopButton.h"
#include "desktop/DesktopScene.h"
#include "desktop/WidgetSection.h"
#include "settings/CaseFold.h"
#include "settings/IniSyntax.h"
#include "settings/NumberedItems.h"

namespace moravel {
namespace {

constexpr int kNoLimit = 1 << 30;

// The number after `prefix` in the folded `name` ("button12" -> "12"); empty
// when `name` is not prefix + digits.
std::string_view NumberPart(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return {};
  const std::string_view digits = name.substr(prefix.size());
  const bool allDigits =
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  return allDigits ? digits : std::string_view();
}

// Why item prefix<digits> is never read when prefix1 .. prefix<count> are,
// or empty when it is read.
std::string NeverReadBecause(std::string_view prefix, std::string_view digits, int count, int limit,
                             bool sections) {
  auto name = [&](int n) {
    const std::string item = std::string(prefix) + std::to_string(n);
    return sections ? "[" + item + "]" : item;
  };
  if (digits.size() > 1 && digits.front() == '0') return "numbers are read without leading zeros";
  if (digits.size() > 9) return name(count + 1) + " is missing";
  const int n = std::stoi(std::string(digits));
  if (n < 1) return "the numbers start at 1";
  if (n > count) return name(count + 1) + " is missing";
  if (n > limit) return "at most " + std::to_string(limit) + " are read";
  return {};
}

void CheckSectionNumbering(const IniFile& ini, std::string_view prefix, int limit,
                           SkinProblems& problems) {
  const int count = CountNumberedSections(prefix, ini);
  for (const std::string& section : ini.SectionNames()) {
    const std::string folded = FoldCase(section);
    const std::string_view digits = NumberPart(folded, prefix);
    if (digits.empty()) continue;
    const std::string why = NeverReadBecause(prefix, digits, count, limit, true);
    if (!why.empty()) problems.Report({ini.path(), section, "", "never shown: " + why});
  }
}

void CheckKeyNumbering(const IniFile& ini, std::string_view section, std::string_view prefix,
                       SkinProblems& problems) {
  const int count = CountNumberedKeys(prefix, ini, section);
  for (const std::string& key : ini.KeyNames(section)) {
    const std::string folded = FoldCase(key);
    const std::string_view digits = NumberPart(folded, prefix);
    if (digits.empty()) continue;
    const std::string why = NeverReadBecause(prefix, digits, count, kNoLimit, false);
    if (!why.empty())
      problems.Report({ini.path(), std::string(section), key, "never read: " + why});
  }
}

bool OneOf(std::string_view key, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), key) != names.end();
}

// The keys of a button template read as numbers: these stems with the state
// digit 1 to 3 (FaceParams.h), and the placement keys.
bool TemplateKeyIsNumber(std::string_view key) {
  if (OneOf(key, {"posx", "posy", "posw", "posh"})) return true;
  if (!NumberPart(key, "posx").empty() || !NumberPart(key, "posy").empty()) return true;
  if (key.size() < 2 || key.back() < '1' || key.back() > '3') return false;
  return OneOf(key.substr(0, key.size() - 1),
               {"x",        "y",          "w",         "h",        "tx",         "ty",
                "tw",       "th",         "s",         "k",        "b",          "alp",
                "red",      "green",      "blue",      "icoalpha", "textalpha",  "effect",
                "whitered", "whitegreen", "whiteblue", "blackred", "blackgreen", "blackblue"});
}

bool IsWidgetSection(std::string_view section) {
  return std::find(kWidgetSectionNames.begin(), kWidgetSectionNames.end(), section) !=
         kWidgetSectionNames.end();
}

// True when the program reads [section] key of config.ini as a number (both folded).
bool ConfigKeyIsNumber(std::string_view section, std::string_view key) {
  if (section == "doubleclick") return key == "dc";
  if (section == "analogclock") {
    return OneOf(
        key, {"x", "y", "showseconds", "harrowcx", "harrowcy", "hcenterx", "hcentery", "marrowcx",
              "marrowcy", "mcenterx", "mcentery", "sarrowcx", "sarrowcy", "scenterx", "scentery"});
  }
  if (IsWidgetSection(section) || !NumberPart(section, "picture").empty()) {
    return OneOf(key, {"x", "y", "tr"});
  }
  if (!NumberPart(section, "freebutton").empty()) return TemplateKeyIsNumber(key);
  return false;
}

// True when the program reads [section] key of user.ini as a number (both
// folded); param is a number only for a button without an object.
bool UserKeyIsNumber(const IniFile& user, std::string_view section, std::string_view key) {
  if (NumberPart(section, "button").empty()) return false;
  if (key == "param") return user.ReadString(section, "object", "").empty();
  return OneOf(key, {"x", "y", "tr"});
}

template <typename IsNumber>
void CheckNumbers(const IniFile& ini, IsNumber isNumber, SkinProblems& problems) {
  for (const std::string& section : ini.SectionNames()) {
    const std::string foldedSection = FoldCase(section);
    for (const std::string& key : ini.KeyNames(section)) {
      if (!isNumber(foldedSection, FoldCase(key))) continue;
      const std::string value = ini.ReadString(section, key, "");
      if (ParseIniInt(value)) continue;
      problems.Report({ini.path(), section, key,
                       "not a whole number, so the default is used: \"" + value + "\""});
    }
  }
}

// A missing or unreadable settings file; true when it can be checked further.
bool CheckFile(const IniFile* ini, bool mayBeMissing, SkinProblems& problems) {
  if (!ini) return false;
  if (!ini->readable()) {
    problems.Report({ini->path(), "", "", "cannot read", {}, ini->readError()});
    return false;
  }
  std::error_code ec;
  if (!mayBeMissing && !std::filesystem::exists(ini->path(), ec)) {
    problems.Report(
        {ini->path(), "", "", "missing: the skin shows no wallpaper, pictures or clocks"});
  }
  return true;
}

}  // namespace

void CheckSkinSettings(const SettingsFiles& files, SkinProblems& problems) {
  if (CheckFile(files.config.get(), false, problems)) {
    const IniFile& config = *files.config;
    CheckSectionNumbering(config, "picture", kMaxStaticPictures, problems);
    CheckSectionNumbering(config, "freebutton", kNoLimit, problems);
    const int templates = CountNumberedSections("freebutton", config);
    for (int t = 1; t <= templates; ++t) {
      CheckKeyNumbering(config, "freebutton" + std::to_string(t), "posx", problems);
    }
    CheckNumbers(config, ConfigKeyIsNumber, problems);
  }
  if (CheckFile(files.user.get(), true, problems)) {
    const IniFile& user = *files.user;
    CheckSectionNumbering(user, "button", kMaxButtons, problems);
    CheckNumbers(
        user,
        [&](std::string_view section, std::string_view key) {
          return UserKeyIsNumber(user, section, key);
        },
        problems);
  }
}

}  // namespace moravel
