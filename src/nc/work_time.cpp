#include "nc/work_time.h"

#include <cstdio>

namespace optgrind {

std::string workTimeText(double minutes) {
  constexpr double kMinutesPerHour = 60.0;
  // Beyond this the time is no longer a count of minutes worth writing.
  constexpr double kLongestTime = 1e9;
  if (!(minutes < kLongestTime)) minutes = kLongestTime;
  if (minutes < 0.0) minutes = 0.0;
  char text[48];
  if (minutes > kMinutesPerHour) {
    int hours = static_cast<int>(minutes / kMinutesPerHour);
    int rest = static_cast<int>(minutes) - hours * static_cast<int>(kMinutesPerHour);
    std::snprintf(text, sizeof text, "%d'%d\"", hours, rest);
  } else {
    std::snprintf(text, sizeof text, "%d\"", static_cast<int>(minutes + 1.0));
  }
  return text;
}

}  // namespace optgrind
