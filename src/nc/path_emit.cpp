#include "nc/path_emit.h"

#include <cmath>

#include "geometry/arcs.h"
#include "geometry/primitives.h"
#include "post/executor.h"
#include "post/keywords.h"

namespace optgrind {
namespace {

// A return move is made when X or Y moved farther than this from what was
// written last.
constexpr double kReturnMoveTolerance = 0.0005;

void setXY(const PointRec& p) {
  postVariable(kVarX).current = p.x;
  postVariable(kVarY).current = p.y;
}

// The part d of a lift or lowering move of length L next to the profile.
double liftPart(double length) {
  double d = postVariable(kVarLiftPart).current;
  return d <= length ? d : length / 2.0;
}

void toolUpMove(Host& host, const PathElement& e) {
  double d = liftPart(e.length);
  if (d != 0.0) {
    setXY(pointAlong(e, d));
    runEvent(host, kEvOptMoveUp0Feed);
  }
  setXY(e.end);
  runEvent(host, kEvOptMoveUpFeed);
}

void toolDownMove(Host& host, const PathElement& e) {
  double d = liftPart(e.length);
  if (d != 0.0) {
    setXY(pointAlong(e, e.length - d));
    runEvent(host, kEvOptMoveDnFeed);
  }
  setXY(e.end);
  runEvent(host, kEvOptMoveDn0Feed);
}

void firstElement(Host& host, const PathGeometry& path, const PathElement& e) {
  postVariable(kVarSide).current = signedArea(e.start, e.end, path.lastEnd) <= 0.0 ? -1.0 : 1.0;
  setXY(e.start);
  runEvent(host, kEvMainCoordinate);
  runEvent(host, kEvWireOn);
  runEvent(host, postVariable(kVarSide).current == 1.0 ? kEvOffsetRight : kEvOffsetLeft);
  setXY(e.end);
  runEvent(host, kEvFirstCutInFeed);
}

void lastElement(Host& host, const PathElement& e) {
  toolUpMove(host, e);
  runEvent(host, kEvDeparture);
  runEvent(host, kEvWireOff);
  runEvent(host, kEvPathEnd);
}

void bodyElement(Host& host, const PathElement& e) {
  setXY(e.end);
  if (e.kind != kKindArc) {
    runEvent(host, kEvLinearFeed);
    return;
  }
  // #I, #J: the arc's start, so that incremental I and J give the centre
  // relative to it.
  postVariable(kVarI).last = postVariable(kVarX).last;
  postVariable(kVarJ).last = postVariable(kVarY).last;
  postVariable(kVarI).current = e.centre.x;
  postVariable(kVarJ).current = e.centre.y;
  postVariable(kVarR).current = e.radius;
  runEvent(host, e.sweep > 0.0 ? kEvCircularCcw : kEvCircularCw);
}

// The markers of an element, in the order they are tested.
enum class Marker { None, Up, Down, Rapid, Approach };

Marker markerOf(const ElementMarks& marks, int element) {
  unsigned m = marks.marks[static_cast<size_t>(element)];
  if (m & kMarkRapidUp) return Marker::Up;
  if (m & kMarkRapidDown) return Marker::Down;
  if (m & kMarkRapidMove) return Marker::Rapid;
  if (m & kMarkApproach) return Marker::Approach;
  return Marker::None;
}

// Emits one return move when it goes anywhere.
void returnMove(Host& host, const PointRec& from, MachiningClock& clock) {
  const PostVariable& x = postVariable(kVarX);
  const PostVariable& y = postVariable(kVarY);
  if (std::fabs(x.current - x.last) <= kReturnMoveTolerance &&
      std::fabs(y.current - y.last) <= kReturnMoveTolerance)
    return;
  clock.minutes += distance(from, makePoint(x.current, y.current)) / clock.rapidRate;
  runEvent(host, kEvRapidMove);
  postVariable(kVarG).last = 0.0;
}

}  // namespace

std::string endTextOutput(const std::string& text) {
  std::string out = "&";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '#' && i + 1 < text.size() && text[i + 1] == '0') {
      ++i;
    } else if (text[i] == '$') {
      out += '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

void emitPath(Host& host, const PathGeometry& path, const ElementMarks& marks, NcSink& nc,
              MachiningClock& clock) {
  int n = static_cast<int>(path.elements.size());
  for (int i = 1; i <= n; ++i) {
    const PathElement& e = path.elements[static_cast<size_t>(i - 1)];
    Marker marker = markerOf(marks, i);
    bool timed = true;
    if (i == 1) {
      firstElement(host, path, e);
    } else if (i == n) {
      lastElement(host, e);
    } else if (marker == Marker::Up) {
      toolUpMove(host, e);
      timed = false;
    } else if (marker == Marker::Down) {
      toolDownMove(host, e);
      timed = false;
    } else if (marker == Marker::Rapid) {
      setXY(e.end);
      runEvent(host, kEvOptRapidMove);
      timed = false;
    } else if (marker == Marker::Approach) {
      setXY(e.end);
      runEvent(host, kEvOptApproach);
    } else {
      bodyElement(host, e);
    }
    if (timed) clock.minutes += e.length / clock.feedRate;
    if (!marks.endTexts.empty()) {
      auto text = marks.endTexts.find(i);
      if (text != marks.endTexts.end()) nc.write(endTextOutput(text->second));
    }
  }
}

void returnToStart(Host& host, const PointRec& start, MachiningClock& clock) {
  PostVariable& x = postVariable(kVarX);
  PostVariable& y = postVariable(kVarY);
  if (x.current == start.x && y.current == start.y) return;
  PointRec from = makePoint(x.current, y.current);
  x.current = start.x;
  returnMove(host, from, clock);
  from = makePoint(x.current, y.current);
  y.current = start.y;
  returnMove(host, from, clock);
}

}  // namespace optgrind
