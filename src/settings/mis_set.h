// "mis_set.set": the settings file this system shares with the other
// programs of its suite. Seventy-two values, one per line.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

struct MisSettings {
  int language = 0;            // line 28: 0 Traditional, 1 Simplified, 2 English
  int noteTextColor = 0;       // line 26
  int tableFrameColor = 0;     // line 27
  double noteTextRatio = 1.0;  // line 59
  int noteColor = 0;           // line 61
};

// The values last read (or the defaults before any read).
const MisSettings& misSet();
// Reads "mis_set.set" through the data-file open again. When the file
// cannot be read the values in memory stay. Returns 1 when it was read.
int reloadMisSet(Host& host);

}  // namespace optgrind
