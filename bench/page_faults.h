// Page faults of this process so far: fresh memory costs one per page, and
// on a virtual machine a fault can cost more than the work around it, so
// the benchmarks that allocate much report them beside their times.
#pragma once

#include <sys/resource.h>

inline long pageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt + usage.ru_majflt;
}
