// The settings scan of a WCF file: its option lines and the variable
// definition lines that give each variable its output format.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"
#include "post/post_state.h"

namespace optgrind {

// The longest line the settings scan reads, the longest format word and
// the longest word value of an option.
constexpr int kWcfLineChars = 126;
constexpr int kFormatWordChars = 19;
constexpr int kOptionWordChars = 127;

struct WcfScanResult {
  int valid = 0;                      // 1: the scan ran (or the user chose to go on)
  int fileFound = 0;                  // 1: the file was read
  std::vector<int> definedVariables;  // in the order of their lines
};

// The settings scan of a WCF file by name. A file that cannot be found asks
// the user (OK goes on without options and formats, Quit fails the scan).
WcfScanResult wcfSettingsScan(Host& host, const std::string& name);
// The settings scan over a file's text; sourceName is the file's name as
// the reports show it.
WcfScanResult scanWcfSettings(Host& host, const std::string& fileText, const std::string& sourceName);

// The option keyword of a flag, as the file spells it.
const char* wcfOptionKeyword(WcfOption option);

}  // namespace optgrind
