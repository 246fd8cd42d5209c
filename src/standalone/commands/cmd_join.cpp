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

// The vertices of a piece, in the pieces' shared store.
using Piece = std::span<const PolyVertex>;

// The piece run the other way, into `out`.
void reverseInto(Piece c, Chain& out) {
  out.clear();
  size_t n = c.size();
  for (size_t i = 0; i < n; ++i) {
    PolyVertex v = c[n - 1 - i];
    if (i + 1 < n) {
      const PolyVertex& segment = c[n - 2 - i];  // the segment now run backwards
      v.bulge = -segment.bulge;
      v.startWidth = segment.endWidth;
      v.endWidth = segment.startWidth;
    } else {
      v.bulge = v.startWidth = v.endWidth = 0.0;
    }
    out.push_back(v);
  }
}

Chain reversed(const Chain& c) {
  Chain r;
  reverseInto(c, r);
  return r;
}

// Appends the vertices of a candidate to `store`; false, with nothing
// appended, when it cannot be joined.
bool appendPieceOf(const EntityRecord& e, Chain& store, double fitTolerance) {
  if (const auto* poly = e.as<PolylineGeom>()) {
    if (poly->closed || poly->vertices.size() < 2) return false;
    store.insert(store.end(), poly->vertices.begin(), poly->vertices.end());
    return true;
  }
  PolylineGeom fitted;
  if (arcPolylineOf(e, fitTolerance, fitted)) {
    if (fitted.closed || fitted.vertices.size() < 2) return false;
    store.insert(store.end(), fitted.vertices.begin(), fitted.vertices.end());
    return true;
  }
  PolyVertex start, end;
  if (!curveEnds(e, start, end)) return false;
  if (meet(start, end) && start.bulge == 0.0) return false;
  store.push_back(start);
  store.push_back(end);
  return true;
}

// The chain being built: pieces go on at both ends. The vertices put
// before the target's first are kept last first, so that both ends grow
// at the back of a vector.
struct GrowingChain {
  Chain head;  // before the target's first vertex, last first
  Chain tail;  // from the target's first vertex on; never empty
  PolyVertex& front() { return head.empty() ? tail.front() : head.back(); }
  PolyVertex& back() { return tail.back(); }
  size_t size() const { return head.size() + tail.size(); }
};

// Appends the piece at the chain's end when one of its ends meets it.
bool appendAtEnd(GrowingChain& chain, Piece piece, Chain& scratch) {
  Piece p = piece;
  if (meet(chain.back(), piece.front())) {
  } else if (meet(chain.back(), piece.back())) {
    reverseInto(piece, scratch);
    p = scratch;
  } else {
    return false;
  }
  PolyVertex& joint = chain.back();
  joint.bulge = p.front().bulge;
  joint.startWidth = p.front().startWidth;
  joint.endWidth = p.front().endWidth;
  chain.tail.insert(chain.tail.end(), p.begin() + 1, p.end());
  return true;
}

// Puts the piece before the chain's start when one of its ends meets it.
bool prependAtStart(GrowingChain& chain, Piece piece, Chain& scratch) {
  Piece p = piece;
  if (meet(chain.front(), piece.back())) {
  } else if (meet(chain.front(), piece.front())) {
    reverseInto(piece, scratch);
    p = scratch;
  } else {
    return false;
  }
  // The joint is the chain's own first vertex.
  chain.head.insert(chain.head.end(), std::make_reverse_iterator(p.end() - 1),
                    std::make_reverse_iterator(p.begin()));
  return true;
}

// The chain is a loop once its last vertex comes back onto its first.
bool closesOnItself(GrowingChain& chain) { return chain.size() >= 3 && meet(chain.front(), chain.back()); }

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

  // Candidates in drawing order: at a branch the first of them is taken.
  // Their slots are marked and the drawing walked once, which orders them
  // and drops repeats without a sort.
  std::vector<char> isCandidate(d.entities.size(), 0);
  size_t marked = 0;
  for (long long id : candidates) {
    if (id == target || !findEntity(std::as_const(d), id)) continue;
    char& mark = isCandidate[static_cast<size_t>(slotOf(d, id))];
    marked += mark == 0;
    mark = 1;
  }
  // The pieces' vertices one after another: piece i is store[first[i],
  // first[i + 1]). Lines and arcs, the usual pieces, have two each.
  Chain store;
  store.reserve(2 * marked);
  std::vector<uint32_t> first = {0};
  first.reserve(marked + 1);
  std::vector<size_t> pieceSlots;
  pieceSlots.reserve(marked);
  for (size_t slot = 0; slot < isCandidate.size(); ++slot) {
    if (!isCandidate[slot] || !appendPieceOf(d.entities[slot].record, store, fitTolerance)) continue;
    first.push_back(static_cast<uint32_t>(store.size()));
    pieceSlots.push_back(slot);
  }
  size_t count = pieceSlots.size();
  // At each joint the first piece in drawing order that meets the chain's
  // free end is taken, found through an index of the pieces' ends.
  JoinEndIndex ends(store, first, kJoinFuzz);
  size_t vertexCount = store.size();
  Chain().swap(store);

  GrowingChain chain;
  // Room for every piece: the polyline's vertices are never moved to grow.
  chain.tail.reserve(pl->vertices.size() + vertexCount);
  chain.tail.assign(pl->vertices.begin(), pl->vertices.end());
  std::vector<bool> joined(count, false);
  int joinedCount = 0;
  Chain scratch;
  bool closed = false;
  for (bool atEnd : {true, false}) {
    while (!closed) {
      const JoinEnd* next = ends.firstMeeting(atEnd ? chain.back() : chain.front());
      if (!next) break;
      size_t i = next->piece;
      Piece piece = ends.piece(*next);
      if (!(atEnd ? appendAtEnd(chain, piece, scratch) : prependAtStart(chain, piece, scratch))) break;
      ends.take(i);
      joined[i] = true;
      ++joinedCount;
      closed = closesOnItself(chain);
    }
  }
  if (joinedCount == 0) return 0;
  Chain& joinedVertices = chain.tail;
  joinedVertices.insert(joinedVertices.begin(), chain.head.rbegin(), chain.head.rend());
  if (closed) {
    // The closing segment is carried by the last vertex that stays.
    joinedVertices.pop_back();
    pl->closed = true;
  }
  pl->vertices = std::move(joinedVertices);
  // In drawing order, so that the drawing is walked once from front to back.
  for (size_t i = 0; i < count; ++i) {
    if (!joined[i]) continue;
    noteEntityEdit(d, pieceSlots[i]);
    d.entities[pieceSlots[i]].erased = true;
  }
  moveToDrawingEnd(d, target);
  return joinedCount;
}

void reversePolyline(PolylineGeom& pl) {
  if (pl.vertices.size() < 2) return;
  if (!pl.closed) {
    pl.vertices = reversed(pl.vertices);
    return;
  }
  // Round the loop from vertex 0 back to itself, the other way.
  Chain loop = pl.vertices;
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
