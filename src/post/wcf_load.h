// Loading a WCF file: the settings scan (options and variable formats) and
// the program load with its section scan.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"
#include "post/post_state.h"

namespace optgrind {

// The longest line the settings scan reads, and the piece the program load
// reads while it skips the leading lines.
constexpr int kSettingsLineChars = 126;
constexpr int kLeadingLineChars = 99;
constexpr int kFormatWordChars = 19;
constexpr int kOptionWordChars = 127;

struct WcfScanResult {
  int valid = 0;                      // 1: the scan ran (or the user chose to go on)
  int fileFound = 0;                  // 1: the file was read
  std::vector<int> definedVariables;  // in the order of their lines
};

struct WcfProgramResult {
  int valid = 0;        // 1: program text, event and label tables are ready
  int startOffset = 0;  // where the program text starts in the file's text
};

// The file's text as the original text-mode read gives it: CR LF becomes LF
// and a Ctrl-Z ends the file. Returns 0 when the file cannot be opened.
// A name without a directory is taken in the data directory.
int readWcfFile(Host& host, const std::string& name, std::string& out);
// The text-mode translation alone.
std::string textModeRead(const std::string& bytes);

// The settings scan of a WCF file by name. A file that cannot be found asks
// the user (OK goes on without options and formats, Quit fails the scan).
WcfScanResult wcfSettingsScan(Host& host, const std::string& name);
// The settings scan over a file's text.
WcfScanResult scanWcfSettings(Host& host, const std::string& fileText);

// The program load of a WCF file by name; a missing file loads nothing.
WcfProgramResult wcfProgramLoad(Host& host, const std::string& name);
// The program load and section scan over a file's text.
WcfProgramResult loadWcfProgram(Host& host, const std::string& fileText);

// The option keyword of a flag, as the file spells it.
const char* wcfOptionKeyword(WcfOption option);

}  // namespace optgrind
