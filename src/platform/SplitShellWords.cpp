#include "platform/SplitShellWords.h"

namespace moravel {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool EscapableInDoubleQuotes(char c) {
  return c == '"' || c == '\\' || c == '$' || c == '`';
}

}  // namespace

std::vector<std::string> SplitShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // true once the current word has begun, even if empty
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    char c = text[i];
    if (IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
    } else if (c == '\'') {
      inWord = true;
      size_t end = text.find('\'', i + 1);
      if (end == std::string_view::npos) end = n;
      word.append(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '"') {
      inWord = true;
      ++i;
      while (i < n && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < n && text[i + 1] == '\n') {
          i += 2;
        } else if (text[i] == '\\' && i + 1 < n && EscapableInDoubleQuotes(text[i + 1])) {
          word.push_back(text[i + 1]);
          i += 2;
        } else {
          word.push_back(text[i++]);
        }
      }
      ++i;  // the closing quote, or past the end
    } else if (c == '\\') {
      if (i + 1 == n) {
        inWord = true;
        word.push_back('\\');
        ++i;
      } else if (text[i + 1] == '\n') {
        i += 2;  // line continuation: does not start or end a word
      } else {
        inWord = true;
        word.push_back(text[i + 1]);
        i += 2;
      }
    } else {
      inWord = true;
      word.push_back(c);
      ++i;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace moravel
