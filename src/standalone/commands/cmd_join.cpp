// Joining loose curves to a polyline, as the host's PEDIT Join does.
#include "standalone/commands/cmd_join.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>
#include <utility>

#include "standalone/commands/join_end_index.h"
#include "standalone/model/drawing_history.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// A chain of vertices: an open polyline, segment i from vertex i to i + 1.
using Chain = std::vector<PolyVertex>;

bool meet(const PolyVertex& a, const PolyVertex& b) { return withinXY(a.x - b.x, a.y - b.y, kJoinFuzz); }

// The vertices of a piece that is more than one segment.
using Piece = std::span<const PolyVertex>;

// Vertex k of the piece as a chain runs it, turned round or not.
PolyVertex orientedVertex(Piece c, bool reversed, size_t k) {
  if (!reversed) return c[k];
  const size_t n = c.size();
  PolyVertex v = c[n - 1 - k];
  if (k + 1 < n) {
    const PolyVertex& segment = c[n - 2 - k];  // the segment now run backwards
    v.bulge = -segment.bulge;
    v.startWidth = segment.endWidth;
    v.endWidth = segment.startWidth;
  } else {
    v.bulge = v.startWidth = v.endWidth = 0.0;
  }
  return v;
}

// The piece run the other way, into `out`.
void reverseInto(Piece c, Chain& out) {
  out.clear();
  out.reserve(c.size());
  for (size_t k = 0; k < c.size(); ++k) out.push_back(orientedVertex(c, true, k));
}

Chain reversed(Piece c) {
  Chain r;
  reverseInto(c, r);
  return r;
}

// The joinable pieces of the drawing, read in one walk: plain lines and
// arcs whole in their records, anything else as run `piece.run`: a
// polyline's vertices where the drawing holds them (the drawing does not
// change before the joined polyline is built), a spline's or an ellipse's
// as fitted here.
struct PieceRuns {
  std::vector<Piece> vertices;       // by run
  std::vector<PolylineGeom> fitted;  // moving one keeps its vertices where they are
};

template <typename Vertices>
void addRun(const Vertices& vertices, JoinPiece& piece, PieceRuns& runs) {
  piece.x0 = vertices.front().x, piece.y0 = vertices.front().y;
  piece.x1 = vertices.back().x, piece.y1 = vertices.back().y;
  piece.run = static_cast<uint32_t>(runs.vertices.size());
  runs.vertices.emplace_back(vertices.begin(), vertices.end());
}

// Reads a candidate into `piece`; false when it cannot be joined.
bool readPiece(const EntityRecord& e, double fitTolerance, JoinPiece& piece, PieceRuns& runs) {
  if (const auto* poly = e.as<PolylineGeom>()) {
    if (poly->closed || poly->vertices.size() < 2) return false;
    addRun(poly->vertices, piece, runs);
    return true;
  }
  if (e.as<SplineGeom>() || e.as<EllipseGeom>()) {
    PolylineGeom fitted;
    if (!arcPolylineOf(e, fitTolerance, fitted) || fitted.closed || fitted.vertices.size() < 2) return false;
    runs.fitted.push_back(std::move(fitted));
    addRun(std::as_const(runs.fitted.back().vertices), piece, runs);
    return true;
  }
  PolyVertex start, end;
  if (!curveEnds(e, start, end)) return false;
  if (meet(start, end) && start.bulge == 0.0) return false;
  piece.x0 = start.x, piece.y0 = start.y;
  piece.x1 = end.x, piece.y1 = end.y;
  piece.bulge = start.bulge;
  piece.run = kPlainPiece;
  return true;
}

size_t vertexCount(const JoinPiece& p, const PieceRuns& runs) {
  return p.run == kPlainPiece ? 2 : runs.vertices[p.run].size();
}

// A free end of the chain: its point, and the index's cell of a piece's end
// lying there (kNoCell when unknown, as for the polyline's own).
struct FreeEnd {
  double x = 0.0, y = 0.0;
  uint32_t cell = kNoCell;
};

bool meetsAt(const FreeEnd& free, double x, double y) { return withinXY(free.x - x, free.y - y, kJoinFuzz); }

// A piece joined to the chain, turned round or not. A plain piece is whole
// here: the vertex it adds to the chain with the bulge of its segment as
// the chain runs it, so that the chain is built without reading the pieces
// again (they lie in drawing order, not along the chain).
struct ChainStep {
  double x = 0.0, y = 0.0;  // its far end
  double bulge = 0.0;
  uint32_t piece = 0;
  bool reversed = false;
  bool plain = false;
};

// Joins pieces at one free end of the chain while one meets it, the first
// in drawing order at a branch. At the chain's end a piece runs on from
// the end it meets with; at its start it runs into it. Stops when the
// chain closes. `size` counts the chain's vertices.
void growChain(JoinEndIndex& ends, const std::vector<JoinPiece>& pieces, const PieceRuns& runs, bool atEnd,
               FreeEnd& front, FreeEnd& back, size_t& size, std::vector<ChainStep>& steps, bool& closed) {
  FreeEnd& free = atEnd ? back : front;
  JoinEnd found;
  while (!closed && ends.firstMeeting(free.x, free.y, free.cell, found)) {
    const uint32_t i = found.end / 2;
    const bool foundIsFirst = found.end % 2 == 0;
    const double x0 = foundIsFirst ? found.x : found.farX, y0 = foundIsFirst ? found.y : found.farY;
    const double x1 = foundIsFirst ? found.farX : found.x, y1 = foundIsFirst ? found.farY : found.y;
    const bool startMeets = meetsAt(free, x0, y0);
    const bool endMeets = meetsAt(free, x1, y1);
    bool reversed = false;
    if (atEnd ? startMeets : endMeets) {
      reversed = false;
    } else if (atEnd ? endMeets : startMeets) {
      reversed = true;
    } else {
      return;
    }
    const bool farIsFirst = atEnd == reversed;
    // When both ends meet, the free end may stay at the found one, whose
    // cell the record does not hold.
    const uint32_t farCell = farIsFirst != foundIsFirst ? found.farCell : kNoCell;
    free = farIsFirst ? FreeEnd{x0, y0, farCell} : FreeEnd{x1, y1, farCell};
    ends.take(i);
    steps.push_back(
        ChainStep{free.x, free.y, reversed ? -found.bulge : found.bulge, i, reversed, found.plain != 0});
    size += found.plain ? 1 : vertexCount(pieces[i], runs) - 1;
    closed = size >= 3 && withinXY(front.x - back.x, front.y - back.y, kJoinFuzz);
  }
}

// The joined polyline's vertices: the pieces put before the start (the
// last put first), the polyline's own, the pieces put after its end. At
// the end a joint takes the segment of the piece that follows it; at the
// start the polyline's vertex stays the joint.
template <typename Vertices>
Chain joinedVertices(const Vertices& own, const std::vector<ChainStep>& before,
                     const std::vector<ChainStep>& after, const std::vector<JoinPiece>& pieces,
                     const PieceRuns& runs, size_t size) {
  Chain out;
  out.reserve(size);
  for (auto it = before.rbegin(); it != before.rend(); ++it) {
    if (it->plain) {
      out.push_back(PolyVertex{it->x, it->y, it->bulge});
      continue;
    }
    const Piece run = runs.vertices[pieces[it->piece].run];
    if (!it->reversed) {
      out.insert(out.end(), run.begin(), run.end() - 1);
      continue;
    }
    for (size_t k = 0; k + 1 < run.size(); ++k) out.push_back(orientedVertex(run, true, k));
  }
  out.insert(out.end(), own.begin(), own.end());
  for (const ChainStep& step : after) {
    PolyVertex& joint = out.back();
    if (step.plain) {
      joint.bulge = step.bulge;
      joint.startWidth = joint.endWidth = 0.0;
      out.push_back(PolyVertex{step.x, step.y});
      continue;
    }
    const Piece run = runs.vertices[pieces[step.piece].run];
    const PolyVertex first = orientedVertex(run, step.reversed, 0);
    joint.bulge = first.bulge;
    joint.startWidth = first.startWidth;
    joint.endWidth = first.endWidth;
    if (!step.reversed) {
      out.insert(out.end(), run.begin() + 1, run.end());
      continue;
    }
    for (size_t k = 1; k < run.size(); ++k) out.push_back(orientedVertex(run, true, k));
  }
  return out;
}

// What one join works in, kept for the next: fresh buffers of megabytes
// cost a page fault for every page first written. Past this many pieces
// the storage is given back.
constexpr size_t kKeptPieces = size_t{1} << 18;

struct JoinWork {
  std::vector<uint32_t> slots;
  std::vector<char> isCandidate;
  std::vector<JoinPiece> pieces;
  PieceRuns runs;
  JoinEndIndex ends;
  std::vector<ChainStep> after, before;
};

JoinWork& joinWork() {
  thread_local JoinWork work;
  return work;
}

// The slots of the live candidates, the target left out, in drawing order
// and each once: at a branch the first of them in drawing order is taken.
void candidateSlots(const Drawing& d, long long target, const std::vector<long long>& candidates,
                    JoinWork& work) {
  // Sorting a few slots is cheaper than marking every slot of the drawing;
  // for many, one walk of the drawing orders them and drops repeats.
  constexpr size_t kSlotsPerCandidateToSort = 16;
  std::vector<uint32_t>& slots = work.slots;
  slots.clear();
  slots.reserve(candidates.size());
  for (long long id : candidates) {
    long long slot = id == target ? -1 : slotOf(d, id);
    if (slot >= 0 && !d.entities[static_cast<size_t>(slot)].erased)
      slots.push_back(static_cast<uint32_t>(slot));
  }
  if (slots.size() * kSlotsPerCandidateToSort < d.entities.size()) {
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    return;
  }
  std::vector<char>& isCandidate = work.isCandidate;
  isCandidate.assign(d.entities.size(), 0);
  for (uint32_t slot : slots) isCandidate[slot] = 1;
  slots.clear();
  for (size_t slot = 0; slot < isCandidate.size(); ++slot) {
    if (isCandidate[slot]) slots.push_back(static_cast<uint32_t>(slot));
  }
}

// Joins what `work` holds of the candidates; the number joined.
int joinPieces(Drawing& d, long long target, PolylineGeom& pl, JoinWork& work) {
  std::vector<JoinPiece>& pieces = work.pieces;
  const PieceRuns& runs = work.runs;
  JoinEndIndex& ends = work.ends;
  ends.build(pieces, kJoinFuzz);
  // Read through a constant reference: the polyline's vertices may be
  // shared with copies of the record.
  const auto& own = std::as_const(pl.vertices);
  FreeEnd front{own.front().x, own.front().y}, back{own.back().x, own.back().y};
  size_t size = own.size();
  work.after.clear();
  work.before.clear();
  work.after.reserve(pieces.size());
  work.before.reserve(pieces.size());
  bool closed = false;
  growChain(ends, pieces, runs, true, front, back, size, work.after, closed);
  growChain(ends, pieces, runs, false, front, back, size, work.before, closed);
  const size_t joinedCount = work.after.size() + work.before.size();
  if (joinedCount == 0) return 0;
  Chain joined = joinedVertices(own, work.before, work.after, pieces, runs, size);
  if (closed) {
    // The closing segment is carried by the last vertex that stays.
    joined.pop_back();
    pl.closed = true;
  }
  pl.vertices = std::move(joined);
  // In drawing order, so that the drawing is walked once from front to back.
  std::vector<uint32_t> erased;
  erased.reserve(joinedCount);
  for (uint32_t i = 0; i < pieces.size(); ++i) {
    if (ends.taken(i)) erased.push_back(pieces[i].slot);
  }
  eraseSlots(d, std::move(erased));
  moveToDrawingEnd(d, target);
  return static_cast<int>(joinedCount);
}

}  // namespace

bool curveEnds(const EntityRecord& curve, PolyVertex& start, PolyVertex& end) {
  // Sweeps this close to nothing or to a full turn have no bulge.
  constexpr double kMinSweep = 1e-12;
  if (const auto* line = curve.as<LineGeom>()) {
    start = PolyVertex{line->start.x, line->start.y};
    end = PolyVertex{line->end.x, line->end.y};
    return true;
  }
  if (const auto* arc = curve.as<ArcGeom>()) {
    double sweep = normalizeAngle(arc->endAngle - arc->startAngle);
    if (sweep < kMinSweep || arc->radius <= 0.0) return false;
    Point3 s = pointOnCircle(arc->center, arc->radius, arc->startAngle);
    Point3 e = pointOnCircle(arc->center, arc->radius, arc->endAngle);
    start = PolyVertex{s.x, s.y, std::tan(sweep / 4.0)};
    end = PolyVertex{e.x, e.y};
    return true;
  }
  return false;
}

bool polylineOfCurve(const EntityRecord& curve, PolylineGeom& out, double fitTolerance) {
  if (arcPolylineOf(curve, fitTolerance, out)) return true;
  PolyVertex start, end;
  if (!curveEnds(curve, start, end)) return false;
  PolylineGeom pl;
  pl.vertices = {start, end};
  if (const auto* line = curve.as<LineGeom>()) {
    pl.elevation = line->start.z;
    pl.thickness = line->thickness;
  } else if (const auto* arc = curve.as<ArcGeom>()) {
    pl.elevation = arc->center.z;
    pl.thickness = arc->thickness;
  }
  out = pl;
  return true;
}

long long turnIntoPolyline(Drawing& d, long long id, double fitTolerance) {
  const DrawingEntity* e = findEntity(d, id);
  PolylineGeom pl;
  if (!e || !polylineOfCurve(e->record, pl, fitTolerance)) return 0;
  EntityRecord record = entityRecord(*e);
  record.geom = pl;
  eraseEntity(d, id);
  return appendEntity(d, record);
}

int joinToPolyline(Drawing& d, long long target, const std::vector<long long>& candidates,
                   double fitTolerance) {
  DrawingEntity* t = findEntity(d, target);
  PolylineGeom* pl = t ? t->record.as<PolylineGeom>() : nullptr;
  if (!pl || pl->closed || pl->vertices.empty()) return 0;

  JoinWork& work = joinWork();
  candidateSlots(d, target, candidates, work);
  work.pieces.clear();
  work.pieces.reserve(work.slots.size());
  work.runs.vertices.clear();
  work.runs.fitted.clear();
  for (uint32_t slot : work.slots) {
    JoinPiece& piece = work.pieces.emplace_back();
    piece.slot = slot;
    if (!readPiece(d.entities[slot].record, fitTolerance, piece, work.runs)) work.pieces.pop_back();
  }
  const int joined = joinPieces(d, target, *pl, work);
  // The runs point into the drawing, which changes from now on.
  work.runs.vertices.clear();
  work.runs.fitted.clear();
  if (work.pieces.capacity() > kKeptPieces) work = JoinWork{};
  return joined;
}

void reversePolyline(PolylineGeom& pl) {
  const auto& vertices = std::as_const(pl.vertices);
  if (vertices.size() < 2) return;
  if (!pl.closed) {
    pl.vertices = reversed(Piece(vertices.begin(), vertices.end()));
    return;
  }
  // Round the loop from vertex 0 back to itself, the other way.
  Chain loop(vertices.begin(), vertices.end());
  loop.push_back(loop.front());
  loop = reversed(loop);
  loop.pop_back();
  pl.vertices = std::move(loop);
}

void moveToDrawingEnd(Drawing& d, long long id) {
  long long found = slotOf(d, id);
  if (found < 0 || d.entities[static_cast<size_t>(found)].erased) return;
  size_t slot = static_cast<size_t>(found);
  if (slot + 1 == d.entities.size()) return;
  noteEntityEdit(d, slot);
  DrawingEntity moved = std::move(d.entities[slot]);
  // The old slot stays behind as an erased one, as erased entities do.
  d.entities[slot].erased = true;
  storeRecord(d.entities[slot], EntityRecord{});
  setSlot(d, id, d.entities.size());
  d.entities.push_back(std::move(moved));
}

}  // namespace optgrind::standalone
