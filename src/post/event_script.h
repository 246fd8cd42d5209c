// Event scripts: a line-by-line way to drive a WCF program without a
// drawing, the way the NC run drives it. Each line is one of
//   NAME = number       the current value of a variable (a letter, or 0 to 119)
//   #NAME = number      its last value
//   coord_system = 0|1  the coordinate-system setting
//   nc_name = TEXT      the NC file name the program sees
//   EVENT               runs that event's section (an event name, any case)
// Blank lines and lines starting with "//" are skipped.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

struct EventScriptResult {
  int valid = 0;     // 1: every line was understood and run
  int badLine = 0;   // the number (from 1) of the line that was not understood
  std::string text;  // that line
};

// Runs the script's lines in order; stops at the first line it cannot read.
EventScriptResult runEventScript(Host& host, const std::string& script);

}  // namespace optgrind
