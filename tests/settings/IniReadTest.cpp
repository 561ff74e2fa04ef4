// Reading settings files by the private-profile rules that skins rely on.

#include <gtest/gtest.h>

#include <climits>

#include "SettingsTestFiles.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WriteBytes;

class IniReadTest : public ::testing::Test {
 protected:
  IniFile Load(std::string_view bytes) {
    WriteBytes(folder_ / "test.ini", bytes);
    return IniFile(folder_ / "test.ini");
  }
  TempFolder folder_;
};

TEST_F(IniReadTest, NamesIgnoreLetterCase) {
  IniFile ini = Load("[Skin]\nDir=wood\n[ОБЛОЖКА]\nИмя=дерево\n");
  EXPECT_EQ(ini.ReadString("skin", "dir", "x"), "wood");
  EXPECT_EQ(ini.ReadString("SKIN", "DIR", "x"), "wood");
  EXPECT_EQ(ini.ReadString("обложка", "имя", "x"), "дерево");
  EXPECT_TRUE(ini.HasSection("sKiN"));
  EXPECT_TRUE(ini.HasKey("SKIN", "dIR"));
}

TEST_F(IniReadTest, FirstDuplicateWins) {
  IniFile ini = Load(
      "[a]\nk=first\nk=second\nK=third\n"
      "[b]\nonly=b\n"
      "[A]\nk=later\nextra=1\n");
  EXPECT_EQ(ini.ReadString("a", "k", ""), "first");
  // The keys of a repeated section are never seen.
  EXPECT_FALSE(ini.HasKey("a", "extra"));
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ini.KeyNames("a"), (std::vector<std::string>{"k"}));
}

TEST_F(IniReadTest, BlanksAroundNamesAndValuesAreTrimmed) {
  IniFile ini = Load("  [ my section ]  \n \t key one \t=\t value with inner  blanks \t\n");
  EXPECT_EQ(ini.ReadString("my section", "key one", ""), "value with inner  blanks");
  EXPECT_EQ(ini.ReadString(" my section ", " key one ", ""), "value with inner  blanks");
}

TEST_F(IniReadTest, OnePairOfMatchingQuotesIsRemoved) {
  IniFile ini = Load(
      "[q]\n"
      "double=\"  spaced  \"\n"
      "single='x'\n"
      "nested=\"'y'\"\n"
      "twice=\"\"z\"\"\n"
      "mixed=\"a'\n"
      "lone=\"\n"
      "empty=\"\"\n"
      "inner=a\"b\"c\n");
  EXPECT_EQ(ini.ReadString("q", "double", ""), "  spaced  ");
  EXPECT_EQ(ini.ReadString("q", "single", ""), "x");
  EXPECT_EQ(ini.ReadString("q", "nested", ""), "'y'");
  EXPECT_EQ(ini.ReadString("q", "twice", ""), "\"z\"");
  EXPECT_EQ(ini.ReadString("q", "mixed", ""), "\"a'");
  EXPECT_EQ(ini.ReadString("q", "lone", ""), "\"");
  EXPECT_EQ(ini.ReadString("q", "empty", "default"), "");
  EXPECT_EQ(ini.ReadString("q", "inner", ""), "a\"b\"c");
}

TEST_F(IniReadTest, CommentsAndLinesWithoutEqualsAreIgnored) {
  IniFile ini = Load(
      "; [hidden]\n"
      "[s]\n"
      "  ; k=commented\n"
      "just some words\n"
      "k=value ; not a comment\n"
      "[broken\n"
      "after=1\n");
  EXPECT_FALSE(ini.HasSection("hidden"));
  EXPECT_EQ(ini.ReadString("s", "k", ""), "value ; not a comment");
  EXPECT_FALSE(ini.HasKey("s", "just some words"));
  EXPECT_FALSE(ini.HasSection("broken"));
  // A "[" line without "]" is no header: the key after it stays in [s].
  EXPECT_EQ(ini.ReadString("s", "after", ""), "1");
}

TEST_F(IniReadTest, OnlyTheFirstEqualsSignSplits) {
  IniFile ini = Load("[s]\nparam=a=b==c\nobject = C:\\x=y.exe\n");
  EXPECT_EQ(ini.ReadString("s", "param", ""), "a=b==c");
  EXPECT_EQ(ini.ReadString("s", "object", ""), "C:\\x=y.exe");
}

TEST_F(IniReadTest, TextBeforeTheFirstSectionIsIgnored) {
  IniFile ini = Load("orphan=1\n[s]\nk=v\n");
  EXPECT_FALSE(ini.HasKey("", "orphan"));
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"s"}));
}

TEST_F(IniReadTest, SectionHeaderIgnoresTextAfterBracket) {
  IniFile ini = Load("[button1] trailing words\nx=5\n");
  EXPECT_EQ(ini.ReadInt("button1", "x", 0), 5);
}

TEST_F(IniReadTest, MissingKeyGivesDefaultButEmptyValueIsEmpty) {
  IniFile ini = Load("[s]\nempty=\nblank =   \n");
  EXPECT_EQ(ini.ReadString("s", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("nosection", "k", "def"), "def");
  EXPECT_EQ(ini.ReadString("s", "empty", "def"), "");
  EXPECT_EQ(ini.ReadString("s", "blank", "def"), "");
  EXPECT_TRUE(ini.HasKey("s", "empty"));
  EXPECT_FALSE(ini.HasKey("s", "missing"));
}

TEST_F(IniReadTest, IntegersAreStrictDecimal) {
  IniFile ini = Load(
      "[n]\n"
      "plain=42\nneg=-17\nplus=+8\nzeros=007\nspaced=  12  \nquoted=\"33\"\n"
      "max=2147483647\nmin=-2147483648\n"
      "over=2147483648\nunder=-2147483649\nhuge=99999999999999999999\n"
      "suffix=12abc\nfloat=1.5\nempty=\nsign=-\nhex=0x10\ninner=1 2\ndouble=--1\n");
  EXPECT_EQ(ini.ReadInt("n", "plain", -1), 42);
  EXPECT_EQ(ini.ReadInt("n", "neg", -1), -17);
  EXPECT_EQ(ini.ReadInt("n", "plus", -1), 8);
  EXPECT_EQ(ini.ReadInt("n", "zeros", -1), 7);
  EXPECT_EQ(ini.ReadInt("n", "spaced", -1), 12);
  EXPECT_EQ(ini.ReadInt("n", "quoted", -1), 33);
  EXPECT_EQ(ini.ReadInt("n", "max", -1), INT_MAX);
  EXPECT_EQ(ini.ReadInt("n", "min", -1), INT_MIN);
  for (const char* bad :
       {"over", "under", "huge", "suffix", "float", "empty", "sign", "hex", "inner", "double"}) {
    EXPECT_EQ(ini.ReadInt("n", bad, 17), 17) << bad;
  }
  EXPECT_EQ(ini.ReadInt("n", "missing", 17), 17);
}

TEST_F(IniReadTest, FlagsAreNonZeroIntegers) {
  IniFile ini = Load("[f]\none=1\nzero=0\nminus=-3\nbig=100\nword=yes\nempty=\n");
  EXPECT_TRUE(ini.ReadFlag("f", "one", false));
  EXPECT_FALSE(ini.ReadFlag("f", "zero", true));
  EXPECT_TRUE(ini.ReadFlag("f", "minus", false));
  EXPECT_TRUE(ini.ReadFlag("f", "big", false));
  // Not an integer, empty or missing: the default, whichever it is.
  for (const char* key : {"word", "empty", "missing"}) {
    EXPECT_TRUE(ini.ReadFlag("f", key, true)) << key;
    EXPECT_FALSE(ini.ReadFlag("f", key, false)) << key;
  }
}

TEST_F(IniReadTest, LineEndingsDoNotLeakIntoValues) {
  IniFile ini = Load("[s]\r\ncrlf=a\r\nlf=b\nlast=c");
  EXPECT_EQ(ini.ReadString("s", "crlf", ""), "a");
  EXPECT_EQ(ini.ReadString("s", "lf", ""), "b");
  EXPECT_EQ(ini.ReadString("s", "last", ""), "c");

  // A lone CR ends a line too (files saved with old Mac line endings), also
  // right before an LF.
  IniFile cr = Load("[s]\rcr=a\rnext=b\r\r\n[t]\rk=c");
  EXPECT_EQ(cr.ReadString("s", "cr", ""), "a");
  EXPECT_EQ(cr.ReadString("s", "next", ""), "b");
  EXPECT_EQ(cr.ReadString("t", "k", ""), "c");
}

TEST_F(IniReadTest, MissingFileReadsAsEmpty) {
  IniFile ini(folder_ / "absent.ini");
  EXPECT_TRUE(ini.readable());
  EXPECT_TRUE(ini.SectionNames().empty());
  EXPECT_EQ(ini.ReadString("skin", "dir", "wood"), "wood");
  EXPECT_TRUE(ini.ReadFlag("doubleclick", "dc", true));
}

TEST_F(IniReadTest, ReadsComeFromMemoryUntilReload) {
  IniFile ini = Load("[s]\nk=old\n");
  WriteBytes(folder_ / "test.ini", "[s]\nk=new\n");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "old");
  EXPECT_TRUE(ini.Reload());
  EXPECT_EQ(ini.ReadString("s", "k", ""), "new");
}

}  // namespace
}  // namespace moravel
