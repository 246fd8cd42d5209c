// UTF-8 text measured in characters (code points), as the system's limits count.
#pragma once

#include <cstddef>
#include <string>

namespace optgrind {

// The number of code points in text.
size_t utf8Length(const std::string& text);
// Text with its ASCII letters upper-cased; other bytes, and so every
// non-ASCII character, stay as they are.
std::string upperAscii(std::string text);
// Whether a and b are the same text when ASCII letters are compared without
// case, as the host compares table, application, command and variable names.
bool equalIgnoringCase(const std::string& a, const std::string& b);
// The first maxChars code points of text.
std::string utf8Cut(const std::string& text, size_t maxChars);

}  // namespace optgrind
