#pragma once
// Splits a command's argument text into words the way a POSIX shell does,
// without running a shell:
//  - words are separated by spaces, tabs and newlines;
//  - '...' keeps everything inside as is;
//  - "..." keeps everything inside except that a backslash before " \ $ `
//    stands for that character (before any other character it is kept);
//  - outside quotes a backslash stands for the next character;
//  - a backslash before a newline removes both (line continuation);
//  - quoted parts join their neighbours: a'b c'd is one word "ab cd", and ''
//    or "" alone is an empty word.
// Nothing is expanded or interpreted: $VAR, ~, *, `cmd`, |, ;, & and # are
// plain characters.
// Damaged text is read leniently so that the program still starts: an
// unterminated quote runs to the end of the text, and a backslash at the very
// end is kept as a backslash.

#include <string>
#include <string_view>
#include <vector>

namespace moravel {

std::vector<std::string> SplitShellWords(std::string_view text);

}  // namespace moravel
