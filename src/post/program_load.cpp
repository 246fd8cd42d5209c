#include "post/program_load.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "post/keywords.h"
#include "post/post_error.h"
#include "post/post_state.h"
#include "post/text_util.h"
#include "post/tokenizer.h"
#include "post/wcf_file.h"

namespace optgrind {
namespace {

// Where the program text starts: the first piece of a line read that begins
// with a letter other than "V" or "v", or with a digit.
size_t programStart(const std::string& fileText) {
  size_t p = 0;
  while (p < fileText.size()) {
    char c = fileText[p];
    if (c != 'V' && c != 'v' && (isAsciiLetter(c) || isAsciiDigit(c))) return p;
    size_t end = p;
    while (end < fileText.size() && end - p < static_cast<size_t>(kLeadingLineChars)) {
      if (fileText[end++] == '\n') break;
    }
    p = end;
  }
  return p;
}

// Enters a subroutine head. Returns false after an error.
bool enterLabel(int32_t number, int position, bool first) {
  PostState& s = postState();
  if (first) {
    s.labels[0] = {number, position};
    return true;
  }
  for (LabelEntry& entry : s.labels) {
    if (entry.number == number) {
      postError(kErrDuplicateLabel);
      return false;
    }
    if (entry.number == kFreeLabel) {
      entry = {number, position};
      return true;
    }
  }
  postError(kErrLabelTableFull);
  return false;
}

// Looks at the first word of every line for subroutine and section heads.
void sectionScan() {
  PostState& s = postState();
  Interpreter& in = s.run;
  s.events.fill(kNoPosition);
  s.labels.fill(LabelEntry{});
  bool firstLabel = true;
  int p = 0;
  while (textAt(p) != '\0') {
    while (textAt(p) == ' ' || textAt(p) == '\t') ++p;
    if (isAsciiLetter(textAt(p)) || isAsciiDigit(textAt(p))) {
      int start = p;
      while (!isDelimiter(textAt(p))) ++p;
      std::string word =
          toLowerAscii(std::string(&s.text[static_cast<size_t>(start)], static_cast<size_t>(p - start)));
      if (word == "sub_command") {
        in.tokenStart = start;
        in.pos = p;
        if (!enterLabel(leadingInt(&s.text[static_cast<size_t>(p)]), p, firstLabel)) return;
        firstLabel = false;
      } else if (int code = lookupEvent(word); code >= 0) {
        s.events[static_cast<size_t>(std::min(code, kEventTableSize - 1))] = p;
      }
    }
    while (textAt(p) != '\0' && textAt(p) != '\n' && textAt(p) != '\r') ++p;
    if (textAt(p) != '\0') ++p;
  }
}

}  // namespace

WcfProgramResult loadWcfProgram(Host& host, const std::string& fileText, const std::string& sourceName) {
  PostState& s = postState();
  Interpreter& in = s.run;
  in.host = &host;
  in.eventHead = kNoPosition;
  s.sourceName = sourceName;
  in.failed = false;
  in.tokensRead = 0;
  WcfProgramResult result;
  size_t start = programStart(fileText);
  s.programFirstLine = 1 + lineEndsBefore(fileText, start);
  size_t count = std::min(fileText.size() - start, static_cast<size_t>(kProgramTextSize));
  s.text.fill('\0');
  // The last character read (normally the last line end) gives way to the terminator.
  size_t length = count > 0 ? count - 1 : 0;
  std::memcpy(s.text.data(), fileText.data() + start, length);
  s.textLength = static_cast<int>(std::strlen(s.text.data()));
  sectionScan();
  in.failed = false;
  in.pos = 0;
  result.valid = 1;
  result.startOffset = static_cast<int>(start);
  return result;
}

WcfProgramResult wcfProgramLoad(Host& host, const std::string& name) {
  std::string text;
  if (readWcfFile(host, name, text)) return loadWcfProgram(host, text, name);
  // Nothing loaded: no event produces output.
  PostState& s = postState();
  s.sourceName = name;
  s.programFirstLine = 1;
  s.text.fill('\0');
  s.textLength = 0;
  s.events.fill(kNoPosition);
  s.labels.fill(LabelEntry{});
  return WcfProgramResult{};
}

}  // namespace optgrind
