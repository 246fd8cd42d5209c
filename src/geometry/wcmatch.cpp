#include "geometry/wcmatch.h"

#include <cstdint>
#include <vector>

namespace optgrind {
namespace {

using CodePoints = std::vector<char32_t>;

// UTF-8 decoded leniently: a byte that starts no valid sequence stands for itself.
CodePoints decode(const std::string& text) {
  CodePoints out;
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? byte : byte & (0x3F >> extra);
    size_t j = 1;
    for (; j <= static_cast<size_t>(extra) && i + j < text.size(); ++j) {
      auto next = static_cast<unsigned char>(text[i + j]);
      if ((next & 0xC0) != 0x80) break;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (j != static_cast<size_t>(extra) + 1) {
      out.push_back(byte);
      ++i;
    } else {
      out.push_back(cp);
      i += j;
    }
  }
  return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c >= 0xC0; }

// Matches the bracket set starting at pattern[p] ("[" already seen at p-1);
// sets p behind the closing "]". False in `closed` when there is none.
bool matchSet(const CodePoints& pattern, size_t& p, char32_t c, bool& closed) {
  size_t i = p;
  bool negate = i < pattern.size() && pattern[i] == U'~';
  if (negate) ++i;
  bool found = false;
  bool first = true;
  for (; i < pattern.size(); ++i) {
    if (pattern[i] == U']' && !first) break;
    first = false;
    char32_t low = pattern[i];
    if (low == U'`' && i + 1 < pattern.size()) low = pattern[++i];
    char32_t high = low;
    if (i + 2 < pattern.size() && pattern[i + 1] == U'-' && pattern[i + 2] != U']') {
      high = pattern[i + 2];
      i += 2;
    }
    if (c >= low && c <= high) found = true;
  }
  closed = i < pattern.size();
  if (!closed) return false;
  p = i + 1;
  return found != negate;
}

// Does the one-character token at pattern[p] accept c? Sets `next` behind it.
bool matchToken(const CodePoints& pattern, size_t p, char32_t c, size_t& next) {
  char32_t pc = pattern[p];
  next = p + 1;
  switch (pc) {
    case U'?':
      return true;
    case U'#':
      return isDigit(c);
    case U'@':
      return isLetter(c);
    case U'.':
      return !isDigit(c) && !isLetter(c);
    case U'[': {
      size_t q = p + 1;
      bool closed = true;
      bool inSet = matchSet(pattern, q, c, closed);
      // An unclosed "[" stands for itself.
      if (!closed) return c == U'[';
      next = q;
      return inSet;
    }
    case U'`':
      if (p + 1 < pattern.size()) {
        next = p + 2;
        return c == pattern[p + 1];
      }
      return c == pc;
    default:
      return c == pc;
  }
}

// Every token but "*" takes exactly one character, so the last "*" seen is
// the only place to go back to: linear in text times pattern.
bool matchFrom(const CodePoints& text, const CodePoints& pattern, size_t p) {
  size_t t = 0;
  size_t starPattern = 0, starText = 0;
  bool haveStar = false;
  while (t < text.size()) {
    size_t next = 0;
    if (p < pattern.size() && pattern[p] == U'*') {
      haveStar = true;
      starPattern = ++p;
      starText = t;
    } else if (p < pattern.size() && matchToken(pattern, p, text[t], next)) {
      p = next;
      ++t;
    } else if (haveStar) {
      p = starPattern;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

// The comma-separated alternatives; a comma after "`" is literal.
std::vector<CodePoints> alternatives(const CodePoints& pattern) {
  std::vector<CodePoints> out(1);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == U'`' && i + 1 < pattern.size()) {
      out.back().push_back(pattern[i]);
      out.back().push_back(pattern[++i]);
    } else if (pattern[i] == U',') {
      out.emplace_back();
    } else {
      out.back().push_back(pattern[i]);
    }
  }
  return out;
}

}  // namespace

bool wcmatch(const std::string& text, const std::string& pattern) {
  CodePoints chars = decode(text);
  for (const CodePoints& alternative : alternatives(decode(pattern))) {
    bool negate = !alternative.empty() && alternative.front() == U'~';
    bool matched = matchFrom(chars, alternative, negate ? 1 : 0);
    if (matched != negate) return true;
  }
  return false;
}

}  // namespace optgrind
