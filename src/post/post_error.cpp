#include "post/post_error.h"

#include <algorithm>
#include <string>

#include "post/post_state.h"

namespace optgrind {

const char* postErrorMessage(int number) {
  switch (number) {
    case kErrSyntax:
      return "syntax error";
    case kErrParentheses:
      return "unbalanced parentheses";
    case kErrNoExpression:
      return "no expression present";
    case kErrEqualsExpected:
      return "equals sign expected";
    case kErrNotVariable:
      return "not a variable";
    case kErrLabelTableFull:
      return "label table full";
    case kErrDuplicateLabel:
      return "duplicate label";
    case kErrUndefinedLabel:
      return "undefined label";
    case kErrNestedGosubs:
      return "too many nested GOSUBS";
    case kErrTooManyTokens:
      return "too many statements in one event";
    default:
      return "syntax error";
  }
}

void postError(int number) {
  Interpreter& in = interp();
  if (in.failed) return;
  in.failed = true;
  if (in.host == nullptr) return;
  const PostState& s = postState();
  int from = std::max(0, std::min(in.pos, s.textLength) - kErrorContextBefore);
  int to = std::min(s.textLength, from + kErrorContextChars);
  std::string context;
  for (int p = from; p < to && textAt(p) != '\0'; ++p) context += textAt(p);
  in.host->acutPrintf(std::string(postErrorMessage(number)) + "\n");
  in.host->acutPrintf(context + "\n");
}

}  // namespace optgrind
