#include "post/executor.h"

#include <cstdio>
#include <string>

#include "post/evaluator.h"
#include "post/keyword_actions.h"
#include "post/keywords.h"
#include "post/output_format.h"
#include "post/post_error.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/tokenizer.h"

namespace optgrind {
namespace {

bool atTextEnd() {
  const Interpreter& in = interp();
  return in.tokenClass == kTokenSign && in.tokenCode == kCodeTextEnd;
}

// The NC file's name without directory and without anything from its first ".".
std::string ncBaseName() {
  const std::string& full = interp().ncFileName;
  size_t slash = full.find_last_of("/\\:");
  std::string name = slash == std::string::npos ? full : full.substr(slash + 1);
  size_t dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void outputStatement() {
  Interpreter& in = interp();
  nextToken();
  if (in.failed) return;
  if (in.token.empty()) return postError(kErrNoExpression);
  int index = tokenVariableIndex();
  if (index >= 0) writeVariable(index, in.prefixMode);
}

void assignment() {
  Interpreter& in = interp();
  int index = tokenVariableIndex();
  if (index < 0) return;
  nextToken();
  if (!tokenIsSign('=')) return postError(kErrEqualsExpected);
  double value = evaluateExpression();
  if (in.failed) return;
  if (in.tokenClass == kTokenKeyword) value = keywordValue(in.tokenCode);
  if (in.failed) return;
  PostVariable& v = postVariable(index);
  if (in.prefixMode == kPrefixLast) {
    v.last = value;
  } else {
    v.current = value;
  }
}

void printStatement() {
  Interpreter& in = interp();
  putBack();
  std::string line = "\n";
  for (;;) {
    double value = evaluateExpression();
    if (in.failed) return;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", value);
    line += buf;
    nextToken();
    if (tokenIsSign(',')) {
      line += ' ';
      continue;
    }
    if (in.tokenClass == kTokenSign && (in.tokenCode == kCodeLineEnd || in.tokenCode == kCodeTextEnd)) break;
    return postError(kErrSyntax);
  }
  postPrint(line);
}

// [n]: call the subroutine with label n.
void subroutineCall() {
  Interpreter& in = interp();
  const PostState& s = postState();
  int32_t label = leadingInt(&s.text[static_cast<size_t>(in.pos)]);
  while (textAt(in.pos) != ']' && textAt(in.pos) != '\0') ++in.pos;
  if (textAt(in.pos) == ']') ++in.pos;
  if (in.callCount >= kCallStackDepth) return postError(kErrNestedGosubs);
  in.callStack[static_cast<size_t>(in.callCount++)] = in.pos;
  for (const LabelEntry& entry : s.labels) {
    if (entry.position != kNoPosition && entry.number == label) {
      in.pos = behindHeadEquals(entry.position);
      return;
    }
  }
  postError(kErrUndefinedLabel);
}

// The first of the given characters at or after p, or the end of the text.
int findAny(int p, const char* chars) {
  while (textAt(p) != '\0') {
    for (const char* c = chars; *c != '\0'; ++c) {
      if (textAt(p) == *c) return p;
    }
    ++p;
  }
  return p;
}

// Behind the ";" that ends a part starting at p (the end of the text when
// there is none); an else part found on the way is recorded.
int partEnd(int p, bool& elsePresent, int& elseStart) {
  int q = findAny(p, ":;");
  if (textAt(q) == ':') {
    elsePresent = true;
    elseStart = q + 1;
    q = findAny(q + 1, ";");
  }
  return textAt(q) == ';' ? q + 1 : q;
}

// ( condition ) ? then : else ;   and   ( c1 ) ? ( c2 ) ? T1 : E1 ; M : E2 ;
// A "(" without "?" runs its contents as ordinary statements.
void conditional() {
  Interpreter& in = interp();
  int open = in.pos;
  int level = 1;
  int p = open;
  for (;;) {
    char c = textAt(p);
    if (c == '\r' || c == '\n' || c == '\0') {
      postReportHere("\nerror () ");
      in.pos = p;
      return;
    }
    if (c == '(') ++level;
    if (c == ')' && --level == 0) break;
    ++p;
  }
  int q = p + 1;
  while (textAt(q) == ' ' || textAt(q) == '\t') ++q;
  if (textAt(q) != '?') {
    in.pos = open;
    in.depth = 1;
    return;
  }

  ConditionalPoints cond;
  cond.active = true;
  cond.thenPart = q + 1;
  int first = findAny(cond.thenPart, ":;?");
  if (textAt(first) == '?') {
    cond.twoLevel = true;
    cond.innerThen = first + 1;
    cond.middle = partEnd(cond.innerThen, cond.innerElsePresent, cond.innerElse);
    cond.continuation = partEnd(cond.middle, cond.outerElsePresent, cond.outerElse);
  } else {
    cond.continuation = partEnd(cond.thenPart, cond.outerElsePresent, cond.outerElse);
  }
  in.cond = cond;

  in.pos = open;
  in.depth = 1;
  double c1 = evaluateCondition();
  double c2 = 0.0;
  if (!in.failed && cond.twoLevel) {
    in.pos = cond.thenPart;
    in.depth = 0;
    c2 = evaluateCondition();
  }
  if (in.failed) return;

  int target;
  if (c1 == 0.0) {
    target = cond.outerElsePresent ? cond.outerElse : cond.continuation;
  } else if (!cond.twoLevel) {
    target = cond.thenPart;
  } else {
    in.cond.pending = true;
    target = c2 != 0.0 ? cond.innerThen : (cond.innerElsePresent ? cond.innerElse : cond.middle);
  }
  in.depth = 0;
  in.pos = target;
}

// Ends the running body: back to the caller, or the end of the event.
bool returnFromBody() {
  Interpreter& in = interp();
  if (in.callCount == 0) return false;
  in.pos = in.callStack[static_cast<size_t>(--in.callCount)];
  return true;
}

// Runs statements until the section ends. Returns on the end of the event,
// the end of the text, or an interpreter error.
void runBody() {
  Interpreter& in = interp();
  for (;;) {
    nextToken();
    if (in.failed) return;
    switch (in.tokenClass) {
      case kTokenQuote:
        ncWrite(in.token);
        break;
      case kTokenPrefix:
        outputStatement();
        break;
      case kTokenName:
        assignment();
        break;
      case kTokenKeyword:
        if (in.tokenCode == kKwSubCommand || in.tokenCode == kKwEndEvent) {
          if (!returnFromBody()) return;
        } else {
          runKeyword(in.tokenCode);
        }
        break;
      case kTokenEvent:
        if (!returnFromBody()) return;
        break;
      case kTokenSign:
        if (in.tokenCode == kCodeTextEnd) return;
        if (in.token.size() != 1) break;  // line ends and G words
        switch (in.token[0]) {
          case '$':
            ncWrite("\n");
            break;
          case '&':
            ncWrite("&");
            break;
          case '~':
            ncWrite(ncBaseName());
            break;
          case '[':
            subroutineCall();
            break;
          case '(':
            conditional();
            break;
          default:
            break;  // "^", "%" and the other delimiters write nothing
        }
        break;
      default:
        printStatement();
        break;
    }
    if (in.failed || atTextEnd()) return;
  }
}

}  // namespace

void resetEventState() {
  Interpreter& in = interp();
  in.depth = 0;
  in.callCount = 0;
  in.cond = ConditionalPoints{};
  in.failed = false;
  in.tokensRead = 0;
  in.eventHead = kNoPosition;
}

int behindHeadEquals(int pos) {
  for (int i = 0; i < kHeadEqualsReach; ++i) {
    char c = textAt(pos + i);
    if (c == '\0') return pos + i;
    if (c == '=') return pos + i + 1;
  }
  return pos + kHeadEqualsReach;
}

void runEvent(Host& host, int code) {
  PostState& s = postState();
  Interpreter& in = s.run;
  in.host = &host;
  resetEventState();
  if (code == kEvProgramStart) {
    in.programNumber = 0;
    if (s.options.has(WcfOption::GetNameNo)) {
      in.programNumber = leadingInt(ncBaseName().c_str());
      postVariable(kVarO).current = in.programNumber;
    }
  }
  if (code < 0 || code >= kEventTableSize) return;
  int position = s.events[static_cast<size_t>(code)];
  if (position == kNoPosition) return;
  in.eventHead = position;
  in.pos = behindHeadEquals(position);
  runBody();
  // The event is over, an error ended it or not: nothing of it may reach
  // the next one.
  resetEventState();
}

}  // namespace optgrind
