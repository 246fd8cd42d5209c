// "opt_mark.set": the four settings of `opt_mark`, one per line: the mark
// line length, the note text height, the short-segment limit and the
// horizontal/vertical flag.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

struct MarkSettings {
  double markLength = 0.0;  // L: length of every mark line
  double textHeight = 0.0;  // H: basis of the point labels and the coordinate list
  double shortLimit = 0.0;  // S: segments not longer get no middle mark
  int skipHorVer = 0;       // shown and stored; horizontal and vertical lines are never marked
};

// The values in memory: the last load or edit, all zero at first.
MarkSettings& markSettings();

// Loads "opt_mark.set" through the data-file opener. A missing file, or
// missing lines, leave the values as they are. Returns 1 when read.
int loadOptMarkSet(Host& host);
// Writes the four lines; 1 when written, 0 when the file could not be (an
// older file then stays as it was).
int saveOptMarkSet(Host& host);

// The file's text for the given values.
std::string optMarkSetText(MarkSettings& settings);

}  // namespace optgrind
