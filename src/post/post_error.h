// Interpreter errors: the message, the program text around the place, and
// the abandoning of the work in progress.
#pragma once

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

// Reports the error at the reading position: the message and a line end,
// then the 100 characters of program text that start 50 characters before
// the place, and a line end. Marks the interpreter failed: every loop of the
// tokenizer, evaluators and executor stops, and the program load or the
// event in progress ends there. Only the first error of a failed run is shown.
void postError(int number);

}  // namespace optgrind
