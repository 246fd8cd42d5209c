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
// Every event starts with its own state (parenthesis depth, call stack,
// conditional jump points); what outlives it are the variables, the output
// switch, the table file and the prefix mode.
void runEvent(Host& host, int code);

// Clears the state that belongs to one event.
void resetEventState();

// The position behind the first "=" within 101 characters of pos.
int behindHeadEquals(int pos);

}  // namespace optgrind
