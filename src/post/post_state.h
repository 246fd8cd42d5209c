// The post-processor's process-wide tables: the 120 variables with their
// output formats, the program text, the event and label tables, the options
// of the settings scan, and the interpreter's running state. The settings
// scan and the program load refill them; the executor reads them.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "host/host.h"

namespace optgrind {

constexpr int kPostVariableCount = 120;
constexpr int kEventTableSize = 120;
constexpr int kLabelTableSize = 120;
constexpr int kCallStackDepth = 12;
// The program text holds at most this many characters (the terminator included).
constexpr int kProgramTextSize = 36000;
// A free label table entry carries this number.
constexpr int32_t kFreeLabel = -1;
// Event table and label positions: no section.
constexpr int kNoPosition = -1;

// Variables with fixed roles.
constexpr int kVarModalTolerance = 0;
constexpr int kVarG = 7;
constexpr int kVarI = 9;
constexpr int kVarJ = 10;
constexpr int kVarO = 15;
constexpr int kVarX = 24;
constexpr int kVarY = 25;
// The one variable whose "ADD/" sets the last value.
constexpr int kVarAddLast = 2;

// One variable of the post language and the way it is written.
struct PostVariable {
  char letter = ' ';          // address letter; '!' writes none
  bool showPlus = false;      // "+" before non-negative values
  int integerDigits = 0;      // leading zeros pad to this many digits
  bool decimalPoint = false;  // written with a point, else as a scaled integer
  int scaleDigits = 0;        // value times 10^scaleDigits
  int decimalPlaces = 0;      // digits after the point
  bool trimZeros = false;     // trailing zeros after the point removed
  bool absolute = true;       // value itself (false: increment since last written)
  bool modal = false;         // written only when changed
  bool positive = false;      // absolute value written
  int32_t step = 0;           // counting variable: added after each output
  bool extEps = false;
  bool intEps = false;
  double initial = 0.0;
  double current = 0.0;
  double last = 0.0;
};

// The option flags of the settings scan, numbered in the order of testing.
enum class WcfOption {
  MarkBasePt,
  Ask2Create2File,
  PrkOut,
  CutEachBush,
  CutEachBush2,
  DepartureEachCut,
  Org0NoLength,
  ChangeUv,
  NoCorNotFromCenter,
  SodickUty,
  AdjDddArea,
  AppendNc,
  AgieExchange12,
  AbsSubProgram,
  GetNameNo,
  CreTecDir,
  DivideEachPunch,
  EdgeOffset,
  AddHotProc,
  CirSquareAreaSame,
  Simulate,
  Simulate2,
  TrimFromStartPt,
  EscToStartPoint,
  UseHGroup,
  UseNewFrom,
  TrimFillet,
  MainSubDepart,
  AddOffsetInNc,
  AddOffsetInDrawing,
  LayerForTrim,
  RoughCutOnly,
  TwoNcFile,
  ThreeD2Path,
  ThreeDEscOut,
  DateOut,
  InputZ1Z5,
  CreDxf,
  TapsSpecial,
  NotRetToFirstHole,
  LinearApproach,
  AutoUndercutEveryTime,
  Over8NotWarning,
  NothickNotWarning,
  Count
};
constexpr int kWcfOptionCount = static_cast<int>(WcfOption::Count);

struct WcfOptions {
  std::array<bool, kWcfOptionCount> flags{};
  // Keywords with a word value, by keyword ("DBF_NAME" ...); "NCEXTNAME"
  // keeps its word here too, the extension is ncExtension.
  std::map<std::string, std::string> words;
  std::string ncExtension;  // "." followed by the NCEXTNAME word
  bool h108Seen = false;
  std::array<int, 4> hCodes{108, 109, 110, 120};  // H108, H109, H110, H120
  bool has(WcfOption o) const { return flags[static_cast<int>(o)]; }
};

struct LabelEntry {
  int32_t number = kFreeLabel;
  int position = kNoPosition;
};

// The jump points of the conditional statement.
struct ConditionalPoints {
  bool active = false;  // a conditional of the running event set these points
  int thenPart = 0;
  int innerThen = 0;
  int innerElse = 0;
  int middle = 0;  // behind the inner ";" (M)
  int outerElse = 0;
  int continuation = 0;  // behind the conditional's last ";"
  bool twoLevel = false;
  bool innerElsePresent = false;
  bool outerElsePresent = false;
  bool pending = false;  // two-level form: the next ":" jumps to M
};

// Token classes.
constexpr int kTokenSign = 1;
constexpr int kTokenName = 2;
constexpr int kTokenNumber = 3;
constexpr int kTokenKeyword = 4;
constexpr int kTokenQuote = 6;
constexpr int kTokenPrefix = 7;
constexpr int kTokenEvent = 120;
// Token codes besides keyword and event codes.
constexpr int kCodeLineEnd = 99;
constexpr int kCodeTextEnd = 100;

// Prefix modes (and output modes).
constexpr int kPrefixNone = 0;
constexpr int kPrefixLast = 1;     // "#"
constexpr int kPrefixModal = 2;    // "@"
constexpr int kPrefixCurrent = 3;  // "#@"

// Where the NC text goes. The NC run points it at the NC file; tools and
// tests at a stream or a string.
class NcSink {
 public:
  virtual ~NcSink() = default;
  virtual void write(const std::string& text) = 0;
};

struct Interpreter {
  Host* host = nullptr;  // the host of the run in progress
  NcSink* sink = nullptr;
  // Tokenizer.
  int pos = 0;
  int tokenStart = 0;  // where the current token begins: the place errors name
  std::string token;
  int tokenClass = 0;
  int tokenCode = 0;
  int depth = 0;
  int prefixMode = kPrefixNone;
  bool numericName = false;
  // Executor.
  std::array<int, kCallStackDepth> callStack{};
  int callCount = 0;
  bool outputOn = true;
  ConditionalPoints cond;
  int32_t programNumber = 0;
  std::FILE* tableFile = nullptr;
  int tableRecord = 0;
  std::string ncFileName;  // the NC file's full name, as the program sees it
  int coordSystem = 0;     // 1: X, Y, I and J written with the sign inverted
  // Where the head of the running event's section ends (the reports name
  // the event as the head spells it); none during the scan and the load.
  int eventHead = kNoPosition;
  // Set by an interpreter error: the work in progress is abandoned.
  bool failed = false;
  // The last text the post language printed on the command line ended a
  // line: a report starts a line of its own without an empty line before it.
  bool atLineStart = true;
  // Tokens read in the running event, and the most it may read.
  long tokensRead = 0;
  long tokenLimit = 2000000;
};

struct PostState {
  std::array<PostVariable, kPostVariableCount> variables{};
  // The program text; its characters stop at the first '\0'.
  std::array<char, kProgramTextSize + 1> text{};
  int textLength = 0;
  std::array<int, kEventTableSize> events{};
  std::array<LabelEntry, kLabelTableSize> labels{};
  WcfOptions options;
  // The WCF file as the reports name it, and the file's line on which the
  // program text starts.
  std::string sourceName;
  int programFirstLine = 1;
  Interpreter run;
  PostState() { events.fill(kNoPosition); }
};

// The one instance, alive as long as the module. A plain global: the
// tokenizer reaches it for every character.
extern PostState g_postState;
inline PostState& postState() { return g_postState; }
inline Interpreter& interp() { return postState().run; }
inline PostVariable& postVariable(int index) { return postState().variables[static_cast<size_t>(index)]; }

// The character of the program text at pos; '\0' at and beyond its end.
inline char textAt(int pos) {
  const PostState& s = postState();
  return (pos >= 0 && pos < s.textLength) ? s.text[static_cast<size_t>(pos)] : '\0';
}

// Points the NC output at sink (null: nothing is written).
void setNcSink(NcSink* sink);
// The NC file's full name that "~" and "GET_NAME_NO" read.
void setNcFileName(const std::string& name);
// 1 inverts the sign of X, Y, I and J in the output.
void setCoordSystem(int coordSystem);
// Back to the state of a freshly loaded module: formats, values, program,
// tables, options and the interpreter's switches. Closes the table file.
void resetPostState();

// A sink that collects the text in memory.
class StringNcSink : public NcSink {
 public:
  void write(const std::string& text) override { text_ += text; }
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 private:
  std::string text_;
};

// A sink that writes to an open C file (the NC file).
class FileNcSink : public NcSink {
 public:
  explicit FileNcSink(std::FILE* file) : file_(file) {}
  void write(const std::string& text) override {
    if (file_ == nullptr) return;
#if defined(__GLIBC__)
    // One thread writes the NC file: the stream's lock is not needed.
    fwrite_unlocked(text.data(), 1, text.size(), file_);
#else
    std::fwrite(text.data(), 1, text.size(), file_);
#endif
  }

 private:
  std::FILE* file_;
};

}  // namespace optgrind
