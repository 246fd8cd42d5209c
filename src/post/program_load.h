// The program load of a WCF file: the program text and the section scan
// that fills the event and label tables.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// The piece of a line the program load reads while it skips the leading lines.
constexpr int kLeadingLineChars = 99;

struct WcfProgramResult {
  int valid = 0;        // 1: program text, event and label tables are ready
  int startOffset = 0;  // where the program text starts in the file's text
};

// The program load of a WCF file by name; a missing file loads nothing.
WcfProgramResult wcfProgramLoad(Host& host, const std::string& name);
// The program load and section scan over a file's text; sourceName is the
// file's name as the reports show it.
WcfProgramResult loadWcfProgram(Host& host, const std::string& fileText, const std::string& sourceName);

}  // namespace optgrind
