// "opt_sel.dat": the thickness and grit values the tool rows may take. A
// section head line ("***Tool_Thick*" or "***Gride*") is followed by one
// entry a line up to a line holding "***".
#pragma once

#include <cstdio>

#include "host/host.h"
#include "settings/opt_settings.h"

namespace optgrind {

// A read takes at most this many characters of a line; the rest of a longer
// line comes with the next read.
constexpr size_t kOptSelLineChars = 99;

// Fills the choice lists from "opt_sel.dat" in the data directory. A
// missing file leaves them as they are. Returns 1 when the file was read.
int loadOptSel(Host& host);
// The same over an open file.
void readOptSel(Host& host, std::FILE* file, ChoiceLists& lists);

}  // namespace optgrind
