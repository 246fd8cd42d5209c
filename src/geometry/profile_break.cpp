#include "geometry/profile_break.h"

#include <cmath>
#include <utility>

#include "geometry/arcs.h"
#include "geometry/entity_data.h"
#include "geometry/entity_lists.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

PolylineLocation located(int result, int segment = -1) {
  PolylineLocation at;
  at.result = result;
  at.segment = segment;
  return at;
}

PointRec closestOn(Host& host, const EntityRecord& record, const PointRec& p) {
  Point3 closest;
  if (host.getClosestPointTo(record, toPoint3(p), false, closest) != RTNORM) return p;
  return toPointRec(closest);
}

bool nearPoint(const PointRec& a, const PointRec& b) { return distance(a, b) <= kAtVertexTolerance; }

PolyVertex vertexAt(const PointRec& p, double bulge) {
  PolyVertex v;
  v.x = p.x;
  v.y = p.y;
  v.bulge = bulge;
  return v;
}

// Does the counter-clockwise turn from one angle to the other (radians)
// round to nothing, or to a full turn, at the drawing's precision? A
// piece of an arc with such a sweep would read as a full circle.
bool sweepVanishes(Host& host, double from, double to) {
  double degrees = roundToUnitPrecision(host, degreesFromRadians(counterClockwiseSweep(from, to)));
  return degrees <= 0.0 || degrees >= 360.0;
}

// The two parts of a curved segment from a through p to b: false when
// either would have no sweep at the drawing's precision.
bool splitBulge(Host& host, const PointRec& a, const PointRec& p, const PointRec& b, double bulge, double& b1,
                double& b2) {
  b1 = b2 = 0.0;
  if (isStraightBulge(bulge)) return true;
  PointRec centre;
  double radius = 0.0;
  arcFromBulge(a, b, bulge, centre, radius);
  double a0 = angleDeg(host, centre, a), aP = angleDeg(host, centre, p), a1 = angleDeg(host, centre, b);
  double s1 = aP - a0, s2 = a1 - aP;
  if (bulge > 0.0) {
    if (s1 < 0.0) s1 += 360.0;
    if (s2 < 0.0) s2 += 360.0;
  } else {
    if (s1 > 0.0) s1 -= 360.0;
    if (s2 > 0.0) s2 -= 360.0;
  }
  if (s1 == 0.0 || s2 == 0.0 || std::fabs(s1) >= 360.0 || std::fabs(s2) >= 360.0) return false;
  b1 = std::tan(radiansFromDegrees(s1) / 4.0);
  b2 = std::tan(radiansFromDegrees(s2) / 4.0);
  return true;
}

// The steps of a split that makes a new piece: the piece is made and put
// on the source's layer first, and only then is the source changed, so
// that a refusal at any step leaves the drawing as it was.
EntityRef placeOnLayer(Host& host, EntityRef piece, int layerId) {
  if (piece.valid != 1) return EntityRef{};
  EntityRecord record;
  if (host.acdbEntGet(piece.name, record) == RTNORM) {
    EntityData data = readEntityData(host, piece, record);
    data.layerId = layerId;
    if (writeEntityData(host, piece, data, std::move(record)) == RTNORM) return piece;
  }
  erase(host, piece);
  return EntityRef{};
}

EntityRef changeSource(Host& host, const EntityRef& ref, const EntityRecord& changed, EntityRef piece) {
  if (host.acdbEntMod(ref.name, changed) == RTNORM) return piece;
  erase(host, piece);
  return EntityRef{};
}

EntityRef breakLine(Host& host, const EntityRef& ref, EntityRecord record, PointRec p, int layerId) {
  LineGeom& line = *record.as<LineGeom>();
  if (nearPoint(p, toPointRec(line.start)) || nearPoint(p, toPointRec(line.end))) return EntityRef{};
  p = closestOn(host, record, p);
  EntityRef piece = placeOnLayer(host, makeLineEntity(host, makeLine(p, toPointRec(line.end))), layerId);
  if (piece.valid != 1) return piece;
  line.end = toPoint3(p);
  return changeSource(host, ref, record, piece);
}

EntityRef breakArc(Host& host, const EntityRef& ref, EntityRecord record, PointRec p, int layerId) {
  ArcGeom& arc = *record.as<ArcGeom>();
  PointRec centre = toPointRec(arc.center);
  PointRec oldStart = polarRad(centre, arc.startAngle, arc.radius);
  PointRec oldEnd = polarRad(centre, arc.endAngle, arc.radius);
  if (nearPoint(p, oldStart) || nearPoint(p, oldEnd)) return EntityRef{};
  p = closestOn(host, record, p);
  double splitAngle = radiansFromDegrees(angleDeg(host, centre, p));
  // A piece whose sweep rounds to nothing would turn into a full circle:
  // p then counts as at that end.
  if (sweepVanishes(host, arc.startAngle, splitAngle) || sweepVanishes(host, splitAngle, arc.endAngle) ||
      sweepVanishes(host, angleRad(centre, p), arc.endAngle)) {
    return EntityRef{};
  }
  EntityRef piece =
      placeOnLayer(host, makeArcEntity(host, arcFromThreePoints(host, centre, p, oldEnd, 0)), layerId);
  if (piece.valid != 1) return piece;
  arc.endAngle = splitAngle;
  return changeSource(host, ref, record, piece);
}

EntityRef breakCircle(Host& host, const EntityRef& ref, const EntityRecord& record, PointRec p, int layerId) {
  const CircleGeom& circle = *record.as<CircleGeom>();
  p = closestOn(host, record, p);
  EntityRef piece = placeOnLayer(
      host, makeArcEntity(host, arcFromThreePoints(host, toPointRec(circle.center), p, p, 0)), layerId);
  if (piece.valid != 1) return piece;
  if (host.acdbEntDel(ref.name) == RTNORM) return piece;
  erase(host, piece);
  return EntityRef{};
}

// A closed polyline opened in place so that it begins and ends at vertex k.
EntityRef openAtVertex(Host& host, const EntityRef& ref, EntityRecord record, size_t k) {
  PolylineGeom& polyline = *record.as<PolylineGeom>();
  const std::vector<PolyVertex> old = std::move(polyline.vertices);
  size_t n = old.size();
  polyline.vertices.clear();
  polyline.vertices.reserve(n + 1);
  for (size_t i = 0; i < n; ++i) polyline.vertices.push_back(old[(k + i) % n]);
  PolyVertex again = old[k];
  again.bulge = 0.0;
  polyline.vertices.push_back(again);
  polyline.closed = false;
  if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
  return wholeEntityRef(ref.name, kKindPolyline);
}

// The polyline split at vertex k.
EntityRef breakPolylineAtVertex(Host& host, const EntityRef& ref, EntityRecord record, size_t k,
                                int layerId) {
  PolylineGeom& polyline = *record.as<PolylineGeom>();
  size_t n = polyline.vertices.size();
  if (polyline.closed) return openAtVertex(host, ref, std::move(record), k % n);
  if (k == 0 || k >= n - 1) return EntityRef{};
  std::vector<PolyVertex> rest(polyline.vertices.begin() + static_cast<long>(k), polyline.vertices.end());
  EntityRef piece =
      placeOnLayer(host, makePolylineEntity(host, std::move(rest), false, polyline.elevation), layerId);
  if (piece.valid != 1) return piece;
  // The part kept is copied out, not the whole polyline copied and cut.
  polyline.vertices = VertexList(polyline.vertices.begin(), polyline.vertices.begin() + k + 1);
  return changeSource(host, ref, record, piece);
}

EntityRef breakPolyline(Host& host, const EntityRef& ref, EntityRecord record, PointRec p, int segment,
                        int layerId) {
  PolylineGeom& polyline = *record.as<PolylineGeom>();
  const std::vector<PolyVertex>& old = polyline.vertices;
  size_t n = old.size();
  size_t s = static_cast<size_t>(segment);
  // Compared in the polyline's plane: the vertices lie at its elevation.
  p.z = polyline.elevation;
  PointRec a = vertexPoint(polyline, s), b = vertexPoint(polyline, (s + 1) % n);
  if (nearPoint(p, a)) return breakPolylineAtVertex(host, ref, std::move(record), s, layerId);
  if (nearPoint(p, b)) return breakPolylineAtVertex(host, ref, std::move(record), s + 1, layerId);
  p = closestOn(host, record, p);
  p.z = polyline.elevation;
  double b1 = 0.0, b2 = 0.0;
  if (!splitBulge(host, a, p, b, old[s].bulge, b1, b2)) {
    size_t k = distance(p, a) <= distance(p, b) ? s : s + 1;
    return breakPolylineAtVertex(host, ref, std::move(record), k, layerId);
  }
  if (polyline.closed) {
    std::vector<PolyVertex> opened;
    opened.reserve(n + 2);
    opened.push_back(vertexAt(p, b2));
    opened.insert(opened.end(), old.begin() + static_cast<long>(s + 1), old.end());
    opened.insert(opened.end(), old.begin(), old.begin() + static_cast<long>(s + 1));
    opened.back().bulge = b1;
    opened.push_back(vertexAt(p, 0.0));
    polyline.vertices = std::move(opened);
    polyline.closed = false;
    if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
    return wholeEntityRef(ref.name, kKindPolyline);
  }
  std::vector<PolyVertex> rest;
  rest.reserve(n - s);
  rest.push_back(vertexAt(p, b2));
  rest.insert(rest.end(), old.begin() + static_cast<long>(s + 1), old.end());
  EntityRef piece =
      placeOnLayer(host, makePolylineEntity(host, std::move(rest), false, polyline.elevation), layerId);
  if (piece.valid != 1) return piece;
  std::vector<PolyVertex> kept(old.begin(), old.begin() + static_cast<long>(s + 2));
  kept[s].bulge = b1;
  kept[s + 1].x = p.x;
  kept[s + 1].y = p.y;
  polyline.vertices = std::move(kept);
  return changeSource(host, ref, record, piece);
}

}  // namespace

PolylineLocation locateOnEntity(Host& host, const PointRec& p, const EntityRef& ref) {
  if (ref.valid != 1) return located(0);
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return located(0);
  return locateOnRecord(record, p);
}

PolylineLocation locateOnRecord(const EntityRecord& record, const PointRec& p) {
  if (const auto* line = record.as<LineGeom>()) {
    PointRec a = toPointRec(line->start), b = toPointRec(line->end);
    if (std::fabs(distance(a, p) + distance(p, b) - distance(a, b)) >= kAtVertexTolerance) return located(0);
    return located(distance(b, p) <= distance(p, a) ? 1 : -1);
  }
  if (const auto* circle = record.as<CircleGeom>()) {
    bool on = std::fabs(distance(toPointRec(circle->center), p) - circle->radius) < kAtVertexTolerance;
    return located(on ? 1 : 0);
  }
  if (const auto* arc = record.as<ArcGeom>()) {
    PointRec centre = toPointRec(arc->center);
    if (std::fabs(distance(centre, p) - arc->radius) >= kAtVertexTolerance) return located(0);
    if (!angleWithinRange(angleRad(centre, p), arc->startAngle, arc->endAngle)) return located(0);
    PointRec start = polarRad(centre, arc->startAngle, arc->radius);
    PointRec end = polarRad(centre, arc->endAngle, arc->radius);
    return located(distance(end, p) <= distance(p, start) ? 1 : -1);
  }
  if (const auto* polyline = record.as<PolylineGeom>()) return locateOnPolyline(*polyline, p);
  return located(0);
}

EntityRef breakAtPoint(Host& host, const EntityRef& ref, const PointRec& p) {
  EntityRef whole = ref;
  whole.segment = kWholeEntity;
  whole.tagIndex = kNoTag;
  // Read once: the record of a long path is the largest thing copied here.
  EntityRecord record;
  if (whole.valid != 1 || host.acdbEntGet(ref.name, record) != RTNORM) return EntityRef{};
  PolylineLocation at = locateOnRecord(record, p);
  if (at.result == 0) return EntityRef{};
  const int sourceLayer = readEntityData(host, whole, record).layerId;
  EntityRef piece;
  switch (record.type()) {
    case EntityType::Line:
      piece = breakLine(host, ref, record, p, sourceLayer);
      break;
    case EntityType::Arc:
      piece = breakArc(host, ref, record, p, sourceLayer);
      break;
    case EntityType::Circle:
      piece = breakCircle(host, ref, record, p, sourceLayer);
      break;
    case EntityType::Polyline:
      piece = breakPolyline(host, ref, std::move(record), p, at.segment, sourceLayer);
      break;
    default:
      return EntityRef{};
  }
  if (piece.valid != 1) return piece;
  host.acdbEntUpd(ref.name);
  if (piece.name != ref.name) host.acdbEntUpd(piece.name);
  return piece;
}

}  // namespace optgrind
