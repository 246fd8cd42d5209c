// The statement executor: runs one event's section of the WCF program.
#pragma once

#include "host/host.h"

namespace optgrind {

// The farthest an "=" may stand behind a section or subroutine head.
constexpr int kHeadEqualsReach = 101;

// Runs the section registered for the event code and returns when it ends;
// does nothing when the program has no such section. After an interpreter
// error inside the section the error is reported and the event ends there:
// the faulty statement is never continued, and the next event runs as usual.
void runEvent(Host& host, int code);

// The position behind the first "=" within 101 characters of pos.
int behindHeadEquals(int pos);

}  // namespace optgrind
