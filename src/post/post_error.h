// Reports of the post language and its interpreter errors. Every report
// names its place the way a compiler does:
//   FILE:LINE: message (in EVENT)
// FILE is the WCF file as the settings scan or the program load was given
// it, LINE the line of that file, EVENT the event whose section runs (left
// out during the scan and the load).
#pragma once

#include <string>

namespace optgrind {

constexpr int kErrSyntax = 0;
constexpr int kErrParentheses = 1;
constexpr int kErrNoExpression = 2;
constexpr int kErrEqualsExpected = 3;
constexpr int kErrNotVariable = 4;
constexpr int kErrLabelTableFull = 5;
constexpr int kErrDuplicateLabel = 6;
constexpr int kErrUndefinedLabel = 7;
constexpr int kErrNestedGosubs = 12;
// Our own guard: an event that reads more tokens than the limit is stopped
// (an endless jump or a subroutine fan-out would otherwise never end).
constexpr int kErrTooManyTokens = 13;

// How much program text the report shows, and how far before the place it starts.
constexpr int kErrorContextChars = 100;
constexpr int kErrorContextBefore = 50;

// The message of an error number.
const char* postErrorMessage(int number);

// The line of the WCF file on which position pos of the program text stands.
int programLine(int pos);

// The one report of the post language: prints text with its place, on a
// line of its own, on the command line of the running host. The text's own
// leading line ends and trailing blanks give way to that layout.
void postReport(int line, const std::string& text);
// postReport at the current token of the program text.
void postReportHere(const std::string& text);

// Prints text from the running program (prompts, print statements) on the
// command line, keeping track of where the line stands for the reports.
void postPrint(const std::string& text);

// Reports the error at the current token, then shows the 100 characters of
// program text that start 50 characters before the reading position, and a
// line end. Marks the interpreter failed: every loop of the tokenizer,
// evaluators and executor stops, and the program load or the event in
// progress ends there. Only the first error of a failed run is shown.
void postError(int number);

}  // namespace optgrind
