// The machining time as a tool row's Work_time text.
#pragma once

#include <string>

namespace optgrind {

// Above an hour: hours and minutes, 1'15" for 75.5 minutes; else the
// started minutes, 13" for 12.2 and 61" for exactly 60.
std::string workTimeText(double minutes);

}  // namespace optgrind
