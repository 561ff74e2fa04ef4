// Desktop entries: Exec splitting and field codes, localised names, escapes,
// links, and text that is no desktop entry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempTree.h"
#include "platform/DesktopEntry.h"

namespace {

using moravel::DesktopEntry;
using moravel::ParseDesktopEntry;
using Words = std::vector<std::string>;

DesktopEntry Parse(const std::string& body, std::string_view locale = "") {
  auto entry = ParseDesktopEntry("[Desktop Entry]\n" + body, "/apps/a b.desktop", locale);
  EXPECT_TRUE(entry.has_value());
  return entry.value_or(DesktopEntry{});
}

TEST(DesktopEntry, ExecSplitsQuotesAndExpandsFieldCodes) {
  struct Case {
    const char* exec;
    bool valid;
    Words argv;
  } cases[] = {
      {"viewer  -a\t%U", true, {"viewer", "-a"}},
      {R"(sh -c "echo \"\$HOME\" \`x\` \\\\ 'q' \n")",
       true,
       {"sh", "-c", "echo \"$HOME\" `x` \\ 'q' \n"}},
      {R"("/opt/My App/run" "" x"y z")", true, {"/opt/My App/run", "", "xy z"}},
      {"app %f %F %u %d %D %n %N %v %m --file=%f", true, {"app", "--file="}},
      {"app %i %c %k 100%% %%u",
       true,
       {"app", "--icon", "viewer-icon", "Viewer", "/apps/a b.desktop", "100%", "%u"}},
      {"app x%iy", true, {"app", "x--icon", "viewer-icony"}},
      {"", true, {}},
      {"app %x", false, {}},
      {"app 50%", false, {}},
      {R"(app "unterminated)", false, {}},
      {"app a|b", false, {}},
      {"app ~/x", false, {}},
      {"app it's", false, {}},
      {R"(app a\sb)", true, {"app", "a", "b"}},  // \s is undone before splitting
      {R"(app a\nb)", false, {}},                // a newline outside quotes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exec);
    DesktopEntry entry = Parse(std::string("Name=Viewer\nIcon=viewer-icon\nExec=") + c.exec + "\n");
    EXPECT_EQ(entry.execValid, c.valid);
    EXPECT_EQ(entry.exec, c.argv);
  }
  // With no Icon, %i gives nothing at all.
  EXPECT_EQ(Parse("Exec=app %i -x\n").exec, (Words{"app", "-x"}));
}

TEST(DesktopEntry, NameTakesTheBestLocaleMatch) {
  const std::string all =
      "Name=Plain\nName[sr]=sr\nName[sr_RS]=sr_RS\nName[sr@latin]=sr@latin\n"
      "Name[sr_RS@latin]=sr_RS@latin\nName[de]=de\n";
  struct Case {
    const char* locale;
    std::string names;
    const char* want;
  } cases[] = {
      {"sr_RS.UTF-8@latin", all, "sr_RS@latin"},
      {"sr_RS@latin", "Name=Plain\nName[sr_RS]=sr_RS\nName[sr@latin]=sr@latin\n", "sr_RS"},
      {"sr_RS@latin", "Name=Plain\nName[sr@latin]=sr@latin\nName[sr]=sr\n", "sr@latin"},
      {"sr_ME.UTF-8", all, "sr"},
      {"sr@ijekavian", "Name=Plain\nName[sr]=sr\nName[sr_RS@ijekavian]=x\n", "sr"},
      {"ru_RU.UTF-8", all, "Plain"},
      {"", all, "Plain"},
      {"de", "Name[de]=de\n", "de"},
      {"ru", "Name[de]=de\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    EXPECT_EQ(Parse(c.names, c.locale).name, c.want);
  }
}

TEST(DesktopEntry, StringValuesUndoTheirEscapes) {
  DesktopEntry entry = Parse(R"(Name=a\sb\nc\td\re\\f\xg\
Icon=\s/i.png
Exec=sh -c "printf \\\\"
)");
  EXPECT_EQ(entry.name, "a b\nc\td\re\\f\\xg\\");
  EXPECT_EQ(entry.icon, " /i.png");
  // Four backslashes in the file make one in the argument.
  EXPECT_EQ(entry.exec, (Words{"sh", "-c", "printf \\"}));
}

TEST(DesktopEntry, LinksCarryTheirUrl) {
  DesktopEntry entry = Parse("Type=Link\nName=Site\nURL=https://example.org/a\\sb\n");
  EXPECT_EQ(entry.type, "Link");
  EXPECT_EQ(entry.url, "https://example.org/a b");
  EXPECT_TRUE(entry.exec.empty());
  EXPECT_TRUE(entry.execValid);
}

TEST(DesktopEntry, TextWithoutTheDesktopEntryGroupIsNone) {
  EXPECT_FALSE(ParseDesktopEntry("", "", "").has_value());
  EXPECT_FALSE(ParseDesktopEntry("Name=x\nExec=y\n", "", "").has_value());
  EXPECT_FALSE(ParseDesktopEntry("[Desktop Action new]\nExec=y\n", "", "").has_value());
  EXPECT_TRUE(ParseDesktopEntry("# c\n[Desktop Entry]\n", "", "").has_value());
}

TEST(DesktopEntry, ReadDesktopEntryReadsTheFileAndUsesItsPathForK) {
  TempTree tree;
  const std::string path = tree.write("e.desktop", "[Desktop Entry]\nName[ru]=Окно\nExec=x %k\n");
  auto entry = moravel::ReadDesktopEntry(path, "ru_RU.UTF-8");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->name, "Окно");
  EXPECT_EQ(entry->exec, (Words{"x", path}));
  EXPECT_FALSE(moravel::ReadDesktopEntry(tree.path("missing.desktop"), "").has_value());
}

}  // namespace
