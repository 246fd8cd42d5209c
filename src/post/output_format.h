// Variable output: a variable's value turned into NC text by its format
// (letter, sign, leading zeros, scaled integer or decimal point, trimmed
// zeros, absolute or incremental, modal), and the NC writes.
#pragma once

#include <cstdint>
#include <string>

#include "post/post_state.h"

namespace optgrind {

// The tolerance of `INT_EPS` variables in output mode 2.
constexpr double kInternalTolerance = 0.0005;

// Puts text into the NC output while the output switch is on.
void ncWrite(const std::string& text);

// Writes variable `index` in mode 1 ("#": always, absolute), 2 ("@": by
// the format's absolute and modal flags) or 3 ("#@"), and updates its last
// value. Writes nothing for an index outside the table. A value its format
// cannot express (not finite, or a scaled integer beyond 32 bits) is
// reported and its word left out; the last value then stays.
void writeVariable(int index, int mode);

// A variable as reports name it: its letter (A to Z), else "variable N".
std::string variableLabel(int index);

// The number texts of the two formatters, without the address letter.
std::string formatInteger(const PostVariable& v, int32_t k);
std::string formatDecimal(const PostVariable& v, double value);

}  // namespace optgrind
