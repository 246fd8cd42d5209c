#include "post/tokenizer.h"

#include <cstring>

#include "post/keywords.h"
#include "post/output_format.h"
#include "post/post_error.h"
#include "post/post_state.h"
#include "post/text_util.h"

namespace optgrind {
namespace {

// The token's text is assigned into the one token buffer: no allocation
// per token once the buffer has grown.
void setToken(Interpreter& in, int cls, int code, const char* text, size_t length) {
  in.tokenClass = cls;
  in.tokenCode = code;
  in.token.assign(text, length);
}

void setToken(Interpreter& in, int cls, int code, int start) {
  setToken(in, cls, code, &postState().text[static_cast<size_t>(start)], static_cast<size_t>(in.pos - start));
}

void endOfText(Interpreter& in) { setToken(in, kTokenSign, kCodeTextEnd, "", 0); }

// Advances past a word or number; answers where it started.
int skipToDelimiter(Interpreter& in) {
  int start = in.pos;
  while (!isDelimiter(textAt(in.pos))) ++in.pos;
  return start;
}

// A G word: G gets the number after the "g" and is written at once in mode
// 2, so that a modal G is written only when it changes.
void gWord(Interpreter& in) {
  postVariable(kVarG).current = leadingDouble(in.token.c_str() + 1);
  writeVariable(kVarG, kPrefixModal);
  if (textAt(in.pos) != '\0') ++in.pos;  // the character after the word goes with it
  setToken(in, kTokenSign, 0, "", 0);
}

void word(Interpreter& in) {
  setToken(in, kTokenName, 0, skipToDelimiter(in));
  std::string& w = in.token;
  for (char& c : w) c = toLowerAscii(c);
  // No keyword or event name has one character or begins with "g" and a
  // digit, so those words skip the table searches.
  if (w.size() < 2) return;
  if (w[0] == 'g' && isAsciiDigit(w[1])) return gWord(in);
  if (int code = lookupLowerKeyword(w); code != 0) {
    in.tokenClass = kTokenKeyword;
    in.tokenCode = code;
  } else if (int event = lookupLowerEvent(w); event >= 0) {
    in.tokenClass = kTokenEvent;
    in.tokenCode = event;
  }
}

// Steps shared by a name that follows a prefix inside parentheses and by
// an ordinary token: quoted text, number, word, or an unknown character.
void readOperand(Interpreter& in) {
  char c = textAt(in.pos);
  if (c == '"') {
    int start = ++in.pos;
    while (textAt(in.pos) != '"') {
      char d = textAt(in.pos);
      if (d == '\r' || d == '\n' || d == '\0') return postError(kErrParentheses);
      ++in.pos;
    }
    setToken(in, kTokenQuote, 0, start);
    ++in.pos;
    return;
  }
  if (isAsciiDigit(c)) {
    char before = in.pos > 0 ? textAt(in.pos - 1) : '\0';
    if (before != '#' && before != '@') {
      in.numericName = false;
      if (isAsciiLetter(textAt(in.pos + 1))) return word(in);
    }
    int start = skipToDelimiter(in);
    return setToken(in, in.numericName ? kTokenName : kTokenNumber, 0, start);
  }
  if (isAsciiLetter(c)) return word(in);
  setToken(in, 0, 0, "", 0);  // not consumed: the statement fails
}

}  // namespace

namespace {

struct CharacterSet {
  bool is[256] = {};
  constexpr explicit CharacterSet(const char* members, bool withNul) {
    for (const char* c = members; *c != '\0'; ++c) is[static_cast<unsigned char>(*c)] = true;
    is[0] = withNul;
  }
};
// Where a word or number ends (the end of the text too).
constexpr CharacterSet kDelimiters(" !;,+-<>/*%^=()&|[]\t\r\n", true);
// The one-character tokens besides "(" and ":".
constexpr CharacterSet kSigns("!+-*^/%=;),><&|[]$~", false);

}  // namespace

bool isDelimiter(char c) { return kDelimiters.is[static_cast<unsigned char>(c)]; }

void nextToken() {
  Interpreter& in = interp();
  if (!in.failed && ++in.tokensRead > in.tokenLimit) postError(kErrTooManyTokens);
  if (in.failed) return endOfText(in);
  while (textAt(in.pos) == ' ' || textAt(in.pos) == '\t') ++in.pos;
  in.tokenStart = in.pos;
  char c = textAt(in.pos);
  if (c == '\0') return endOfText(in);
  if (c == '\r' || c == '\n') {
    int start = in.pos++;
    if (c == '\r' && textAt(in.pos) != '\0') ++in.pos;  // the line feed behind it
    return setToken(in, kTokenSign, kCodeLineEnd, start);
  }
  if (c == '(') {
    ++in.depth;
    ++in.pos;
    return setToken(in, kTokenSign, 0, "(", 1);
  }
  if (c == ':') {
    ++in.pos;
    ConditionalPoints& cond = in.cond;
    // Before any conditional of the event a ":" has nowhere to go.
    if (!cond.active) return setToken(in, kTokenSign, 0, ":", 1);
    if (cond.pending) {
      cond.pending = false;
      in.pos = cond.middle;
    } else {
      in.pos = cond.continuation;
    }
    return setToken(in, kTokenSign, 0, ":", 1);
  }
  if (kSigns.is[static_cast<unsigned char>(c)]) {
    if (c == ')') --in.depth;
    ++in.pos;
    return setToken(in, kTokenSign, 0, in.pos - 1);
  }
  if (c == '#' || c == '@') {
    int start = in.pos++;
    in.prefixMode = c == '#' ? kPrefixLast : kPrefixModal;
    if (c == '#' && textAt(in.pos) == '@') {
      in.prefixMode = kPrefixCurrent;
      ++in.pos;
    }
    in.numericName = isAsciiDigit(textAt(in.pos));
    // Outside parentheses the prefix starts an output statement and the
    // name is the next token; inside them the name is read at once.
    if (in.depth < 1) return setToken(in, kTokenPrefix, 0, start);
    return readOperand(in);
  }
  readOperand(in);
}

bool tokenIsSign(char c) {
  const Interpreter& in = interp();
  return in.tokenClass == kTokenSign && in.token.size() == 1 && in.token[0] == c;
}

void putBack() {
  Interpreter& in = interp();
  in.pos -= static_cast<int>(in.token.size());
  if (in.pos < 0) in.pos = 0;
  if (in.token == "(") --in.depth;
  if (in.token == ")") ++in.depth;
}

int tokenVariableIndex() {
  Interpreter& in = interp();
  const std::string& t = in.token;
  int index = -1;
  if (!t.empty() && in.numericName && isAsciiDigit(t[0])) {
    index = leadingInt(t.c_str());
  } else if (!t.empty() && isAsciiLetter(t[0])) {
    index = toUpperAscii(t[0]) - 'A' + 1;
  }
  if (index < 0 || index >= kPostVariableCount) {
    postError(kErrNotVariable);
    return -1;
  }
  return index;
}

double tokenVariableValue() {
  int index = tokenVariableIndex();
  if (index < 0) return 0.0;
  const PostVariable& v = postVariable(index);
  return interp().prefixMode == kPrefixLast ? v.last : v.current;
}

}  // namespace optgrind
