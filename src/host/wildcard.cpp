#include "host/wildcard.h"

#include <utility>
#include <vector>

namespace optgrind {
namespace {

using Text = std::u32string;

// A byte that is not part of valid UTF-8 becomes a code point of its own in
// this private range, so it still matches only itself.
constexpr char32_t kInvalidByteBase = 0xDC00;

Text decodeUtf8(const std::string& s) {
  Text out;
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + extra < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out.push_back(kInvalidByteBase + b);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

// Lower-case letters whose upper case lies 0x20 below: Latin-1, Greek, Cyrillic.
bool shiftsBy0x20(char32_t c) {
  return (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
         (c >= 0x430 && c <= 0x44F);
}

char32_t toUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (shiftsBy0x20(c)) return c - 0x20;
  return c;
}

char32_t toLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (shiftsBy0x20(c + 0x20)) return c + 0x20;
  return c;
}

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
// Letters outside ASCII are not classified further: every non-ASCII code
// point counts as a letter (names in Chinese are letters to the user).
bool isAlpha(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80; }

enum class TokenKind { Literal, Star, Any, Digit, Alpha, Other, Set };

struct Token {
  TokenKind kind = TokenKind::Literal;
  char32_t ch = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // a set's members
};

// Parses "[...]" starting at p[i] == '['. Returns false, leaving i and out
// alone, when it is not closed.
bool parseSet(const Text& p, size_t& i, Token& out) {
  size_t j = i + 1;
  Token set;
  set.kind = TokenKind::Set;
  if (j < p.size() && p[j] == '~') {
    set.negated = true;
    ++j;
  }
  bool first = true;
  while (j < p.size() && (p[j] != ']' || first)) {
    first = false;
    char32_t lo = p[j];
    if (lo == '`' && j + 1 < p.size()) lo = p[++j];
    char32_t hi = lo;
    if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
      hi = p[j + 2];
      j += 2;
    }
    set.ranges.emplace_back(lo, hi);
    ++j;
  }
  if (j >= p.size()) return false;
  i = j + 1;
  out = std::move(set);
  return true;
}

std::vector<Token> tokenize(const Text& p) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < p.size()) {
    char32_t c = p[i];
    Token t;
    switch (c) {
      case '*':
        if (tokens.empty() || tokens.back().kind != TokenKind::Star) {
          t.kind = TokenKind::Star;
          tokens.push_back(t);
        }
        ++i;
        continue;
      case '?':
        t.kind = TokenKind::Any;
        break;
      case '#':
        t.kind = TokenKind::Digit;
        break;
      case '@':
        t.kind = TokenKind::Alpha;
        break;
      case '.':
        t.kind = TokenKind::Other;
        break;
      case '[':
        if (parseSet(p, i, t)) {
          tokens.push_back(std::move(t));
          continue;
        }
        t.ch = c;
        break;
      case '`':
        t.ch = i + 1 < p.size() ? p[++i] : c;
        break;
      default:
        t.ch = c;
    }
    tokens.push_back(std::move(t));
    ++i;
  }
  return tokens;
}

bool inSet(const Token& t, char32_t c, WildcardCase mode) {
  auto contains = [&](char32_t x) {
    for (const auto& [lo, hi] : t.ranges) {
      if (x >= lo && x <= hi) return true;
    }
    return false;
  };
  bool found =
      contains(c) || (mode == WildcardCase::Insensitive && (contains(toUpper(c)) || contains(toLower(c))));
  return found != t.negated;
}

bool tokenMatches(const Token& t, char32_t c, WildcardCase mode) {
  switch (t.kind) {
    case TokenKind::Literal:
      return c == t.ch || (mode == WildcardCase::Insensitive && toUpper(c) == toUpper(t.ch));
    case TokenKind::Any:
      return true;
    case TokenKind::Digit:
      return isDigit(c);
    case TokenKind::Alpha:
      return isAlpha(c);
    case TokenKind::Other:
      return !isDigit(c) && !isAlpha(c);
    case TokenKind::Set:
      return inSet(t, c, mode);
    case TokenKind::Star:
      return false;
  }
  return false;
}

// Every token but "*" takes exactly one character, so the classic scan that
// goes back to the last star is exact and takes at most text x pattern steps.
bool matchTokens(const Text& text, const std::vector<Token>& tokens, WildcardCase mode) {
  size_t ti = 0, pi = 0;
  size_t starPi = tokens.size(), starTi = 0;
  while (ti < text.size()) {
    if (pi < tokens.size() && tokens[pi].kind == TokenKind::Star) {
      starPi = pi++;
      starTi = ti;
    } else if (pi < tokens.size() && tokenMatches(tokens[pi], text[ti], mode)) {
      ++pi;
      ++ti;
    } else if (starPi != tokens.size()) {
      pi = starPi + 1;
      ti = ++starTi;
    } else {
      return false;
    }
  }
  while (pi < tokens.size() && tokens[pi].kind == TokenKind::Star) ++pi;
  return pi == tokens.size();
}

// Splits at commas that are neither escaped nor inside a closed set.
std::vector<Text> alternatives(const Text& p) {
  std::vector<Text> out(1);
  for (size_t i = 0; i < p.size(); ++i) {
    char32_t c = p[i];
    if (c == ',') {
      out.emplace_back();
      continue;
    }
    if (c == '`' && i + 1 < p.size()) {
      out.back() += c;
      out.back() += p[++i];
      continue;
    }
    if (c == '[') {
      size_t j = i;
      Token ignored;
      if (parseSet(p, j, ignored)) {
        out.back().append(p, i, j - i);
        i = j - 1;
        continue;
      }
    }
    out.back() += c;
  }
  return out;
}

}  // namespace

bool wildcardMatch(const std::string& text, const std::string& pattern, WildcardCase mode) {
  Text t = decodeUtf8(text);
  for (const Text& alt : alternatives(decodeUtf8(pattern))) {
    bool negated = !alt.empty() && alt[0] == '~';
    bool matched = matchTokens(t, tokenize(negated ? alt.substr(1) : alt), mode);
    if (matched != negated) return true;
  }
  return false;
}

}  // namespace optgrind
