#include "post/settings_scan.h"

#include <cstring>
#include <string>
#include <string_view>

#include "host/messages.h"
#include "post/post_error.h"
#include "post/post_messages.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/wcf_file.h"

namespace optgrind {
namespace {

enum class OptionKind { Word, H108, Flag, NcExtName };

struct OptionKeyword {
  const char* keyword;
  OptionKind kind;
  WcfOption option;
  const char* second = nullptr;  // a second keyword on the same line sets `secondOption`
  WcfOption secondOption = WcfOption::Count;
};

// In the order of testing: the first keyword found in a line decides it.
const OptionKeyword kOptionKeywords[] = {
    {"DBF_NAME", OptionKind::Word, WcfOption::Count},
    {"H108", OptionKind::H108, WcfOption::Count},
    {"SECEND_WCF_NAME", OptionKind::Word, WcfOption::Count},
    {"CRE2MACHINENCFILE", OptionKind::Word, WcfOption::Count},
    {"SODICK_HEAD", OptionKind::Word, WcfOption::Count},
    {"MARK_BASE_PT", OptionKind::Flag, WcfOption::MarkBasePt},
    {"ASK2CREATE2FILE", OptionKind::Flag, WcfOption::Ask2Create2File},
    {"PRK_OUT", OptionKind::Flag, WcfOption::PrkOut},
    {"CUT_EACH_BUSH", OptionKind::Flag, WcfOption::CutEachBush, "CUT_EACH_BUSH2", WcfOption::CutEachBush2},
    {"DEPARTURE_EACH_CUT", OptionKind::Flag, WcfOption::DepartureEachCut},
    {"ORG0_NO_LENGTH", OptionKind::Flag, WcfOption::Org0NoLength},
    {"CHANGE_UV", OptionKind::Flag, WcfOption::ChangeUv},
    {"NO_COR_NOT_FROM_CENTER", OptionKind::Flag, WcfOption::NoCorNotFromCenter},
    {"SODICK_UTY", OptionKind::Flag, WcfOption::SodickUty},
    {"ADJ_DDD_AREA", OptionKind::Flag, WcfOption::AdjDddArea},
    {"APPEND_NC", OptionKind::Flag, WcfOption::AppendNc},
    {"AGIE_EXCHANGE12", OptionKind::Flag, WcfOption::AgieExchange12},
    {"ABS_SUB_PROGRAM", OptionKind::Flag, WcfOption::AbsSubProgram},
    {"GET_NAME_NO", OptionKind::Flag, WcfOption::GetNameNo},
    {"CRE_TEC_DIR", OptionKind::Flag, WcfOption::CreTecDir},
    {"DIVIDE_EACH_PUNCH", OptionKind::Flag, WcfOption::DivideEachPunch},
    {"EDGE_OFFSET", OptionKind::Flag, WcfOption::EdgeOffset},
    {"ADD_HOT_PROC", OptionKind::Flag, WcfOption::AddHotProc},
    {"CIRSQUAREARESAME", OptionKind::Flag, WcfOption::CirSquareAreaSame},
    {"SIMULATE", OptionKind::Flag, WcfOption::Simulate, "SIMULATE2", WcfOption::Simulate2},
    {"NCEXTNAME", OptionKind::NcExtName, WcfOption::Count},
    {"TRIMFROMSTARTPT", OptionKind::Flag, WcfOption::TrimFromStartPt},
    {"ESCTOSTARTPOINT", OptionKind::Flag, WcfOption::EscToStartPoint},
    {"USE_H_GROUP", OptionKind::Flag, WcfOption::UseHGroup},
    {"USE_NEW_FROM", OptionKind::Flag, WcfOption::UseNewFrom},
    {"TRIM_FILLET", OptionKind::Flag, WcfOption::TrimFillet},
    {"MAIN_SUB_DEPART", OptionKind::Flag, WcfOption::MainSubDepart},
    {"ADD_OFFSET_IN_NC", OptionKind::Flag, WcfOption::AddOffsetInNc},
    {"ADD_OFFSET_IN_DRAWING", OptionKind::Flag, WcfOption::AddOffsetInDrawing},
    {"LAYER_FOR_TRIM", OptionKind::Flag, WcfOption::LayerForTrim},
    {"ROUGH_CUT_ONLY", OptionKind::Flag, WcfOption::RoughCutOnly},
    {"TWO_NC_FILE", OptionKind::Flag, WcfOption::TwoNcFile},
    {"3D_2_PATH", OptionKind::Flag, WcfOption::ThreeD2Path},
    {"3D_ESC_OUT", OptionKind::Flag, WcfOption::ThreeDEscOut},
    {"DATE_OUT", OptionKind::Flag, WcfOption::DateOut},
    {"INPUT_Z1_Z5", OptionKind::Flag, WcfOption::InputZ1Z5},
    {"CRE_DXF", OptionKind::Flag, WcfOption::CreDxf},
    {"TAPS_SPECIAL", OptionKind::Flag, WcfOption::TapsSpecial},
    {"NOT_RET_TO_FIRST_HOLE", OptionKind::Flag, WcfOption::NotRetToFirstHole},
    {"LINEAR_APPROACH", OptionKind::Flag, WcfOption::LinearApproach},
    {"AUTO_UNDERCUT_EVERY_TIME", OptionKind::Flag, WcfOption::AutoUndercutEveryTime},
    {"OVER8_NOT_WARNING", OptionKind::Flag, WcfOption::Over8NotWarning},
    {"NOTHICK_NOT_WARNING", OptionKind::Flag, WcfOption::NothickNotWarning},
};

constexpr const char* kHCodeKeywords[4] = {"H108", "H109", "H110", "H120"};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The word after the first "=" of the line (one word, at most 127 characters).
std::string wordValue(const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return std::string();
  size_t p = eq + 1;
  while (p < line.size() && static_cast<unsigned char>(line[p]) <= ' ') ++p;
  size_t end = p;
  while (end < line.size() && static_cast<unsigned char>(line[end]) > ' ' && end - p < kOptionWordChars)
    ++end;
  return line.substr(p, end - p);
}

// The integer one separator character behind the keyword at `at`.
int intBehind(const std::string& line, size_t at, const char* keyword) {
  size_t p = at + std::strlen(keyword) + 1;
  return p < line.size() ? leadingInt(line.c_str() + p) : 0;
}

bool applyOption(WcfOptions& options, const std::string& line) {
  for (const OptionKeyword& k : kOptionKeywords) {
    size_t at = line.find(k.keyword);
    if (at == std::string::npos) continue;
    switch (k.kind) {
      case OptionKind::Word:
        options.words[k.keyword] = wordValue(line);
        break;
      case OptionKind::NcExtName:
        options.words[k.keyword] = wordValue(line);
        options.ncExtension = "." + wordValue(line);
        break;
      case OptionKind::H108:
        options.h108Seen = true;
        for (int i = 0; i < 4; ++i) {
          size_t h = line.find(kHCodeKeywords[i]);
          if (h != std::string::npos)
            options.hCodes[static_cast<size_t>(i)] = intBehind(line, h, kHCodeKeywords[i]);
        }
        break;
      case OptionKind::Flag:
        options.flags[static_cast<size_t>(k.option)] = true;
        if (k.second != nullptr && line.find(k.second) != std::string::npos) {
          options.flags[static_cast<size_t>(k.secondOption)] = true;
        }
        break;
    }
    return true;
  }
  return false;
}

void unreasonableSetting(Host& host, int line) {
  postReport(line, chooseText(host, kMsgUnreasonableWcfSetting));
  postPrint(chooseText(host, kMsgPressEnter));
  std::string answer;
  host.acedGetString(false, "", answer);
  interp().atLineStart = true;  // the Enter key ended the prompt's line
}

// Reads the format word of a definition line into variable n. Returns
// false for a word whose first position is no letter, sign or digit.
bool readFormatWord(PostVariable& v, int n, const std::string& word) {
  bool signSeen = false, integerSeen = false, scaleSeen = false, placesSeen = false;
  bool decimalMark = word.find('.') != std::string::npos;
  bool firstPosition = true;
  for (char c : word) {
    if (firstPosition) {
      if (isAsciiLetter(c)) {
        v.letter = toUpperAscii(c);
        firstPosition = false;
        continue;
      }
      if (!isAsciiLetter(v.letter)) v.letter = (n >= 1 && n <= 26) ? static_cast<char>('A' + n - 1) : '!';
      if (c == '+' || c == '-') {
        v.showPlus = true;
        signSeen = true;
        continue;  // the next character is again a first position
      }
      if (!isAsciiDigit(c)) return false;
      v.integerDigits = c - '0';
      signSeen = integerSeen = true;
      firstPosition = false;
      continue;
    }
    if (isAsciiLetter(c)) break;
    if (isBlank(c)) continue;
    if (!signSeen) {
      if (c == '+') {
        signSeen = true;
        v.showPlus = true;
      } else if (c == '-') {
        signSeen = true;
      } else if (isAsciiDigit(c)) {
        v.integerDigits = c - '0';
        signSeen = integerSeen = true;
      }
    } else if (!integerSeen) {
      if (isAsciiDigit(c)) {
        v.integerDigits = c - '0';
        integerSeen = true;
      }
    } else if (!decimalMark) {
      if (c == '.' || c == ',') {
        v.decimalPoint = true;
        decimalMark = true;
      } else if (isAsciiDigit(c)) {
        v.scaleDigits = c - '0';
        decimalMark = scaleSeen = placesSeen = true;
      } else {
        break;
      }
    } else if (!placesSeen) {
      if (isAsciiDigit(c)) {
        v.decimalPlaces = c - '0';
        placesSeen = true;
      }
    } else if (!scaleSeen) {
      if (isAsciiDigit(c)) {
        v.scaleDigits = c - '0';
        scaleSeen = true;
      }
    } else if (c == '-' || c == '*') {
      v.trimZeros = true;
    }
  }
  return true;
}

// A VARIABLE or ITEM line for variable n (the line in upper case).
void defineFormat(Host& host, PostVariable& v, int n, const std::string& line, int lineNumber) {
  v.decimalPoint = false;
  size_t p = line.find('=');
  if (p == std::string::npos) return;
  ++p;
  while (p < line.size() && isBlank(line[p])) ++p;
  if (p >= line.size() || line[p] == ';' || isLineEnd(line[p])) return;
  size_t end = p;
  while (end < line.size() && line[end] != ' ' && line[end] != ',' && !isLineEnd(line[end]) &&
         end - p < kFormatWordChars) {
    ++end;
  }
  std::string word = line.substr(p, end - p);
  if (word.find('.') != std::string::npos) v.decimalPoint = true;
  if (word.find_first_of("-*") != std::string::npos) v.trimZeros = true;
  v.absolute = v.modal = v.positive = v.showPlus = false;
  v.letter = ' ';
  if (!readFormatWord(v, n, word)) return unreasonableSetting(host, lineNumber);

  v.absolute = line.find("REL") == std::string::npos;
  if (line.find(",MODAL") != std::string::npos) v.modal = true;
  if (line.find("POSITIVE") != std::string::npos) v.positive = true;
  if (size_t init = line.find("INIT/"); init != std::string::npos) {
    v.initial = v.current = leadingDouble(line.c_str() + init + 5);
    size_t add = line.find("ADD/");
    if (n == kVarAddLast && add != std::string::npos) v.last = leadingDouble(line.c_str() + add + 4);
  }
  if (size_t inc = line.find("INC/"); inc != std::string::npos) v.step = leadingInt(line.c_str() + inc + 4);
  if (line.find("EXT_EPS") != std::string::npos) v.extEps = true;
  if (line.find("INT_EPS") != std::string::npos) v.intEps = true;
}

// The variable a definition line names: the letter or number behind the
// keyword; -1 when it names none of the 120.
int definedIndex(const std::string& line, size_t keywordEnd) {
  size_t p = keywordEnd;
  while (p < line.size() &&
         (static_cast<unsigned char>(line[p]) <= ' ' || static_cast<unsigned char>(line[p]) >= 0x7f))
    ++p;
  if (p >= line.size()) return -1;
  int index = isAsciiUpper(line[p]) ? line[p] - 'A' + 1 : leadingInt(line.c_str() + p);
  return (index >= 0 && index < kPostVariableCount) ? index : -1;
}

struct LinePiece {
  std::string text;
  int lineNumber = 0;  // the file's line it stands on, from 1
};

// Lines as a line-by-line read of at most `limit` characters gives them.
std::vector<LinePiece> readLines(const std::string& text, size_t limit) {
  std::vector<LinePiece> lines;
  size_t p = 0;
  int lineNumber = 1;
  while (p < text.size()) {
    size_t end = p;
    while (end < text.size() && end - p < limit) {
      if (text[end++] == '\n') break;
    }
    lines.push_back({text.substr(p, end - p), lineNumber});
    lineNumber += lineEndsBefore(std::string_view(text).substr(p), end - p);
    p = end;
  }
  return lines;
}

}  // namespace

const char* wcfOptionKeyword(WcfOption option) {
  for (const OptionKeyword& k : kOptionKeywords) {
    if (k.kind == OptionKind::Flag && k.option == option) return k.keyword;
    if (k.second != nullptr && k.secondOption == option) return k.second;
  }
  return "";
}

WcfScanResult scanWcfSettings(Host& host, const std::string& fileText, const std::string& sourceName) {
  PostState& s = postState();
  s.sourceName = sourceName;
  s.run.host = &host;
  s.run.eventHead = kNoPosition;
  for (PostVariable& v : s.variables) {
    v.step = 0;
    v.trimZeros = false;
    v.current = 0.0;
    v.last = 0.0;
  }
  s.options = WcfOptions();
  WcfScanResult result;
  result.valid = 1;
  result.fileFound = 1;
  for (const LinePiece& piece : readLines(fileText, kWcfLineChars)) {
    std::string line = toUpperAscii(piece.text);
    if (applyOption(s.options, line)) continue;
    size_t keyword = std::string::npos;
    size_t keywordLength = 0;
    if (!line.empty() && line[0] == 'V' && (keyword = line.find("VARIABLE")) != std::string::npos) {
      keywordLength = 8;
    } else if (!line.empty() && line[0] == 'I' && (keyword = line.find("ITEM")) != std::string::npos) {
      keywordLength = 4;
    } else {
      continue;
    }
    int n = definedIndex(line, keyword + keywordLength);
    if (n < 0) continue;
    defineFormat(host, postVariable(n), n, line, piece.lineNumber);
    result.definedVariables.push_back(n);
  }
  return result;
}

WcfScanResult wcfSettingsScan(Host& host, const std::string& name) {
  std::string text;
  if (readWcfFile(host, name, text)) return scanWcfSettings(host, text, name);
  WcfScanResult result;
  int goOn = continueOrQuit(host, formatMessage(host, kMsgWcfFileNameIs, name.c_str()),
                            chooseText(host, kMsgCantFindPostFile));
  if (goOn == 1) {
    // Without the file the run goes on with no options and no formats.
    scanWcfSettings(host, std::string(), name);
    result.valid = 1;
  }
  return result;
}

}  // namespace optgrind
