#include "post/keyword_actions.h"

#include <cstdio>
#include <string>

#include "datafiles/data_files.h"
#include "post/evaluator.h"
#include "post/keywords.h"
#include "post/output_format.h"
#include "post/post_error.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/tokenizer.h"

namespace optgrind {
namespace {

constexpr const char* kGetValSyntaxError = "\nGet_val : Syntax error !!";

void closeTable() {
  Interpreter& in = interp();
  if (in.tableFile != nullptr) std::fclose(in.tableFile);
  in.tableFile = nullptr;
}

// tbl_open("file", n)
void tableOpen() {
  Interpreter& in = interp();
  nextToken();
  if (!tokenIsSign('(')) return postError(kErrSyntax);
  nextToken();
  if (in.tokenClass != kTokenQuote) return postError(kErrSyntax);
  std::string name = in.token;
  nextToken();
  if (!tokenIsSign(',')) return postError(kErrSyntax);
  double record = evaluateExpression();
  nextToken();
  if (in.failed) return;
  if (!tokenIsSign(')')) return postError(kErrSyntax);
  closeTable();
  in.tableRecord = truncToInt32(record);
  if (in.host != nullptr) in.tableFile = openDataFile(*in.host, name, "rb");
  if (in.tableFile == nullptr) postReportHere("222 File Not Found:" + name);
}

// Skips what is left of the argument list up to its ")" on the same line.
void skipToClosingParenthesis() {
  Interpreter& in = interp();
  int p = in.pos;
  while (textAt(p) != ')' && textAt(p) != '\0' && textAt(p) != '\n' && textAt(p) != '\r') ++p;
  if (textAt(p) != ')') return;
  in.pos = p;
  nextToken();
}

// getval("text", name) and getstr2("text", name).
double promptValue(int code) {
  Interpreter& in = interp();
  if (textAt(in.pos) != '(') {
    postReportHere(kGetValSyntaxError);
    return 1.0;
  }
  nextToken();
  nextToken();
  if (in.tokenClass != kTokenQuote) {
    postReportHere(kGetValSyntaxError);
    skipToClosingParenthesis();
    return 1.0;
  }
  std::string text = in.token;
  postPrint(text);
  while (textAt(in.pos) != ',' && textAt(in.pos) != '\0') ++in.pos;
  // The name is read for its place only: it must not change the prefix
  // mode under which the assignment stores the value.
  int prefixMode = in.prefixMode;
  bool numericName = in.numericName;
  nextToken();  // ","
  nextToken();  // the name
  in.prefixMode = prefixMode;
  in.numericName = numericName;
  double value = 0.0;
  if (code == kKwGetStr2) {
    value = leadingInt(&postState().text[static_cast<size_t>(in.pos)]);
  } else if (text.find("getstr") != std::string::npos) {
    ncWrite(text);
  } else {
    value = leadingInt(text.c_str());
  }
  skipToClosingParenthesis();
  return value;
}

}  // namespace

void runKeyword(int code) {
  Interpreter& in = interp();
  switch (code) {
    case kKwTblOpen:
      return tableOpen();
    case kKwTblClose:
      return closeTable();
    case kKwMemOn:
      in.outputOn = true;
      return;
    case kKwMemOff:
      in.outputOn = false;
      return;
    case kKwBeep:
      if (in.host != nullptr) in.host->platform().messageBeep();
      return;
    case kKwGetVal:
    case kKwGetStr2:
      promptValue(code);
      return;
    default:
      return;  // reserved: recognised, no action
  }
}

double keywordValue(int code) {
  if (code == kKwGetVal || code == kKwGetStr2) return promptValue(code);
  return 0.0;
}

}  // namespace optgrind
