// The two vocabularies of the post language: keywords and event names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace optgrind {

// Keyword codes.
constexpr int kKwTblOpen = 1;
constexpr int kKwTblRead = 2;
constexpr int kKwTblClose = 3;
constexpr int kKwMemOn = 4;
constexpr int kKwMemOff = 5;
constexpr int kKwClrModal = 6;
constexpr int kKwAbs = 7;
constexpr int kKwTan = 8;
constexpr int kKwAtan = 9;
constexpr int kKwSin = 10;
constexpr int kKwCos = 11;
constexpr int kKwSqrt = 12;
constexpr int kKwBeep = 13;
constexpr int kKwSubCommand = 14;
constexpr int kKwEndEvent = 15;  // no name carries it
constexpr int kKwGetStr2 = 16;
constexpr int kKwGetVal = 17;

// Event codes the NC generation asks for.
constexpr int kEvProgramStart = 0;
constexpr int kEvMainCoordinate = 1;
constexpr int kEvWireOn = 3;
constexpr int kEvWireOff = 4;
constexpr int kEvPathEnd = 5;
constexpr int kEvProgramEnd = 6;
constexpr int kEvFirstCutInFeed = 7;
constexpr int kEvRapidMove = 10;
constexpr int kEvLinearFeed = 11;
constexpr int kEvCircularCw = 12;
constexpr int kEvCircularCcw = 13;
constexpr int kEvDeparture = 14;
constexpr int kEvOffsetLeft = 26;
constexpr int kEvOffsetRight = 27;
constexpr int kEvNcName = 86;
constexpr int kEvOptMoveUp0Feed = 90;
constexpr int kEvOptMoveUpFeed = 91;
constexpr int kEvOptMoveDn0Feed = 92;
constexpr int kEvOptMoveDnFeed = 93;
constexpr int kEvOptRapidMove = 94;
constexpr int kEvOptApproach = 95;

struct NamedCode {
  const char* name;
  int code;
};

// Both tables in their order; lookups search from the first entry.
const std::vector<NamedCode>& keywordTable();
const std::vector<NamedCode>& eventTable();

// The keyword's code, or 0. The word is compared in lower case.
int lookupKeyword(const std::string& word);
// The event's code, or -1. The word is compared in lower case.
int lookupEvent(const std::string& word);
// The same for a word already in lower case.
int lookupLowerKeyword(std::string_view lowerWord);
int lookupLowerEvent(std::string_view lowerWord);
// The names that carry an event code, in table order (two for 90 to 95).
std::vector<std::string> eventNames(int code);

}  // namespace optgrind
