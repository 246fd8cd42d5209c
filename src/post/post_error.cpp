#include "post/post_error.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "post/post_state.h"
#include "post/text_util.h"
#include "post/tokenizer.h"

namespace optgrind {
namespace {

// The name reports give the file when the loader was given none.
constexpr const char* kUnnamedSource = "WCF file";

// The section head that ends at position, in lower case: the name the file
// gives the event (of the two names of a shared code, the one there).
std::string headNameBefore(int position) {
  int start = position;
  while (start > 0 && !isDelimiter(textAt(start - 1))) --start;
  std::string name;
  for (int p = start; p < position; ++p) name += toLowerAscii(textAt(p));
  return name;
}

}  // namespace

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

int programLine(int pos) {
  const PostState& s = postState();
  std::string_view text(s.text.data(), static_cast<size_t>(s.textLength));
  return s.programFirstLine + lineEndsBefore(text, static_cast<size_t>(std::max(pos, 0)));
}

void postPrint(const std::string& text) {
  Interpreter& in = interp();
  if (in.host == nullptr || text.empty()) return;
  in.host->acutPrintf(text);
  in.atLineStart = text.back() == '\n';
}

void postReport(int line, const std::string& text) {
  const PostState& s = postState();
  const Interpreter& in = s.run;
  std::string_view body(text);
  while (!body.empty() && body.front() == '\n') body.remove_prefix(1);
  while (!body.empty() && (body.back() == ' ' || body.back() == '\n')) body.remove_suffix(1);
  std::string out = in.atLineStart ? "" : "\n";
  out += s.sourceName.empty() ? kUnnamedSource : s.sourceName;
  out += ':' + std::to_string(line) + ':';
  // A message that begins with its own blank keeps it as the separator.
  if (body.empty() || body.front() != ' ') out += ' ';
  out += body;
  if (in.eventHead != kNoPosition) out += " (in " + headNameBefore(in.eventHead) + ")";
  postPrint(out + "\n");
}

void postReportHere(const std::string& text) { postReport(programLine(interp().tokenStart), text); }

void postError(int number) {
  Interpreter& in = interp();
  if (in.failed) return;
  in.failed = true;
  const PostState& s = postState();
  postReportHere(postErrorMessage(number));
  int from = std::max(0, std::min(in.pos, s.textLength) - kErrorContextBefore);
  int to = std::min(s.textLength, from + kErrorContextChars);
  std::string context;
  for (int p = from; p < to && textAt(p) != '\0'; ++p) context += textAt(p);
  postPrint(context + "\n");
}

}  // namespace optgrind
