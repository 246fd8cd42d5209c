#include "settings/opt_sel.h"

#include <string>

#include "datafiles/data_files.h"
#include "host/utf8.h"
#include "post/text_util.h"

namespace optgrind {
namespace {

constexpr const char* kFileName = "opt_sel.dat";
constexpr const char* kThickHead = "***TOOL_THICK*";
constexpr const char* kGritHead = "***GRIDE*";
constexpr const char* kSectionEnd = "***";
// The entry of a line that holds no word.
constexpr const char* kBlankEntry = " ";

// One read of at most kOptSelLineChars characters, up to and including the
// line end, as the platform's line read gives it; the returned text has no
// line end. False at the end of the file.
bool readPiece(std::FILE* file, std::string& piece) {
  piece.clear();
  size_t chars = 0;
  bool any = false;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    // CR LF is one line end, as text mode reads it: the CR takes no room.
    if (c == '\r') {
      int next = std::fgetc(file);
      if (next == '\n') return true;
      if (next != EOF) std::ungetc(next, file);
    }
    bool startsChar = (c & 0xC0) != 0x80;
    if (startsChar && chars == kOptSelLineChars) {
      std::ungetc(c, file);
      return true;
    }
    any = true;
    if (c == '\n') return true;
    if (startsChar) ++chars;
    if (c != '\r') piece.push_back(static_cast<char>(c));
  }
  return any;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The first blank-delimited word, cut to a slot; one blank when there is none.
std::string firstWord(const std::string& line) {
  size_t start = 0;
  while (start < line.size() && isBlank(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && !isBlank(line[end])) ++end;
  if (end == start) return kBlankEntry;
  return utf8Cut(line.substr(start, end - start), kChoiceTextCapacity - 1);
}

bool holds(const std::string& line, const char* part) {
  return toUpperAscii(line).find(part) != std::string::npos;
}

// Reads the entry lines of one section up to its closing "***" line.
void readSection(Host& host, std::FILE* file, std::vector<std::string>& list, const char* tag) {
  std::vector<std::string> entries;
  std::string line;
  while (readPiece(file, line) && !holds(line, kSectionEnd)) {
    host.acutPrintf(std::string("\n ") + tag + " str=" + line + " \n");
    if (entries.size() < kChoiceEntries) entries.push_back(firstWord(line));
  }
  list = entries;
}

}  // namespace

void readOptSel(Host& host, std::FILE* file, ChoiceLists& lists) {
  std::rewind(file);
  std::string line;
  while (readPiece(file, line)) {
    host.acutPrintf("\n str=" + line + " \n");
    if (holds(line, kThickHead)) {
      readSection(host, file, lists.thick, "111");
    } else if (holds(line, kGritHead)) {
      readSection(host, file, lists.grit, "222");
    } else {
      return;
    }
  }
}

int loadOptSel(Host& host) {
  std::FILE* f = openDataFile(host, kFileName, "rb");
  if (!f) {
    host.acutPrintf("\n else !!! \n");
    return 0;
  }
  readOptSel(host, f, choiceLists());
  std::fclose(f);
  return 1;
}

}  // namespace optgrind
