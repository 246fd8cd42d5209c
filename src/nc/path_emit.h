// One stored path turned into events of the WCF program: the coordinates
// go into the post language's variables, then the event's section runs.
#pragma once

#include "host/host.h"
#include "nc/path_elements.h"
#include "nc/path_record.h"
#include "post/post_state.h"

namespace optgrind {

// Variables that the run sets besides the coordinates.
constexpr int kVarR = 18;
constexpr int kVarLiftPart = 31;   // the part of a lift or lowering move next to the profile
constexpr int kVarSide = 43;       // 1: tool on the right of the path, -1: on the left
constexpr int kVarAllowance = 91;  // last value: the tool row's allowance
constexpr int kVarFeed = 93;       // last value: the tool row's feed

// The machining time of a run and the rates it is counted with.
struct MachiningClock {
  double minutes = 0.0;
  double feedRate = 1.0;  // drawing units per minute
  double rapidRate = 20.0;
};

// Emits the path's events in order and writes its end texts to `nc`
// (whatever the output switch). Adds the feed moves to the clock.
void emitPath(Host& host, const PathGeometry& path, const ElementMarks& marks, NcSink& nc,
              MachiningClock& clock);

// The two rapid moves back to the start point (X first, then Y).
void returnToStart(Host& host, const PointRec& start, MachiningClock& clock);

// The text of an element's end text as it goes into the NC file: "&", the
// text without "#0", every "$" a line end.
std::string endTextOutput(const std::string& text);

}  // namespace optgrind
