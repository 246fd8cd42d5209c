#include "host/utf8.h"

namespace optgrind {
namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

size_t utf8Length(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text) {
    if (!isContinuation(c)) ++n;
  }
  return n;
}

std::string upperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string utf8Cut(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (isContinuation(static_cast<unsigned char>(text[i]))) continue;
    if (chars == maxChars) return text.substr(0, i);
    ++chars;
  }
  return text;
}

}  // namespace optgrind
