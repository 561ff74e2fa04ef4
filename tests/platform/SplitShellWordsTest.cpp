#include <gtest/gtest.h>

#include "platform/SplitShellWords.h"

using moravel::SplitShellWords;
using Words = std::vector<std::string>;

TEST(SplitShellWords, SeparatesAtAnyRunOfBlanks) {
  EXPECT_EQ(SplitShellWords(""), Words{});
  EXPECT_EQ(SplitShellWords(" \t\n "), Words{});
  EXPECT_EQ(SplitShellWords("one"), Words{"one"});
  EXPECT_EQ(SplitShellWords("  one \t two\nthree  "), (Words{"one", "two", "three"}));
  EXPECT_EQ(SplitShellWords("-x --size=3 /tmp/a.txt"), (Words{"-x", "--size=3", "/tmp/a.txt"}));
}

TEST(SplitShellWords, SingleQuotesKeepEverythingInside) {
  EXPECT_EQ(SplitShellWords("a 'b c'"), (Words{"a", "b c"}));
  EXPECT_EQ(SplitShellWords(R"('x\y "z" $HOME `id`')"), (Words{R"(x\y "z" $HOME `id`)"}));
  EXPECT_EQ(SplitShellWords("a'b c'd"), (Words{"ab cd"}));
  EXPECT_EQ(SplitShellWords("'' x"), (Words{"", "x"}));
  EXPECT_EQ(SplitShellWords("x ''"), (Words{"x", ""}));
  EXPECT_EQ(SplitShellWords("'a''b'"), (Words{"ab"}));
}

TEST(SplitShellWords, DoubleQuotesUnescapeOnlyTheFourSpecialCharacters) {
  EXPECT_EQ(SplitShellWords(R"("a \"b\" \\ \$ \`")"), (Words{R"(a "b" \ $ `)"}));
  // Before any other character the backslash stays.
  EXPECT_EQ(SplitShellWords(R"("C:\Program Files\n\x")"), (Words{R"(C:\Program Files\n\x)"}));
  EXPECT_EQ(SplitShellWords(R"("it's")"), (Words{"it's"}));
  EXPECT_EQ(SplitShellWords(R"("" "")"), (Words{"", ""}));
  EXPECT_EQ(SplitShellWords(R"(pre"mid dle"post)"), (Words{"premid dlepost"}));
  EXPECT_EQ(SplitShellWords("\"one\\\ntwo\""), (Words{"onetwo"}));
  EXPECT_EQ(SplitShellWords("\"tab\there\""), (Words{"tab\there"}));
}

TEST(SplitShellWords, BackslashOutsideQuotesTakesTheNextCharacterLiterally) {
  EXPECT_EQ(SplitShellWords(R"(a\ b c)"), (Words{"a b", "c"}));
  EXPECT_EQ(SplitShellWords(R"(\'x\' \"y\")"), (Words{"'x'", "\"y\""}));
  EXPECT_EQ(SplitShellWords(R"(\\server\share)"), (Words{R"(\servershare)"}));
  EXPECT_EQ(SplitShellWords(R"(\n)"), (Words{"n"}));
  // Line continuation joins, and on its own makes no word.
  EXPECT_EQ(SplitShellWords("ab\\\ncd"), (Words{"abcd"}));
  EXPECT_EQ(SplitShellWords("a \\\n b"), (Words{"a", "b"}));
}

TEST(SplitShellWords, ExpandsNothing) {
  EXPECT_EQ(SplitShellWords("$HOME ${X} ~ ~/a * ?.txt [ab]"),
            (Words{"$HOME", "${X}", "~", "~/a", "*", "?.txt", "[ab]"}));
  EXPECT_EQ(SplitShellWords("`id` $(id) a|b c;d e&f >out <in #x"),
            (Words{"`id`", "$(id)", "a|b", "c;d", "e&f", ">out", "<in", "#x"}));
  EXPECT_EQ(SplitShellWords(R"("$HOME" "*")"), (Words{"$HOME", "*"}));
}

TEST(SplitShellWords, DamagedTextStillGivesWords) {
  // An unterminated quote runs to the end of the text.
  EXPECT_EQ(SplitShellWords("a 'b c"), (Words{"a", "b c"}));
  EXPECT_EQ(SplitShellWords("a \"b \\\" c"), (Words{"a", "b \" c"}));
  EXPECT_EQ(SplitShellWords("'"), (Words{""}));
  EXPECT_EQ(SplitShellWords("x \""), (Words{"x", ""}));
  EXPECT_EQ(SplitShellWords("\"a\\"), (Words{"a\\"}));
  // A backslash at the very end is kept.
  EXPECT_EQ(SplitShellWords("a\\"), (Words{"a\\"}));
  EXPECT_EQ(SplitShellWords("a \\"), (Words{"a", "\\"}));
}
