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
// The first maxChars code points of text.
std::string utf8Cut(const std::string& text, size_t maxChars);

}  // namespace optgrind
