#include "geometry/profile_break.h"

#include <cmath>

#include "geometry/arcs.h"
#include "geometry/entity_data.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// Is angle a between the arc's start and end angles (counter-clockwise)?
bool withinArc(double a, double start, double end) {
  if (start < end) return start <= a && a <= end;
  if (end < start) return a >= start || a <= end;
  return false;
}

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

// The bulges of the two parts of a curved segment from a through p to b.
void splitBulge(Host& host, const PointRec& a, const PointRec& p, const PointRec& b, double bulge, double& b1,
                double& b2) {
  b1 = b2 = 0.0;
  if (bulge == 0.0) return;
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
  b1 = std::tan(radiansFromDegrees(s1) / 4.0);
  b2 = std::tan(radiansFromDegrees(s2) / 4.0);
}

EntityRef breakLine(Host& host, const EntityRef& ref, EntityRecord record, PointRec p) {
  LineGeom& line = *record.as<LineGeom>();
  if (nearPoint(p, toPointRec(line.start)) || nearPoint(p, toPointRec(line.end))) return EntityRef{};
  p = closestOn(host, record, p);
  LineRec rest = makeLine(p, toPointRec(line.end));
  line.end = toPoint3(p);
  if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
  return makeLineEntity(host, rest);
}

EntityRef breakArc(Host& host, const EntityRef& ref, EntityRecord record, PointRec p) {
  ArcGeom& arc = *record.as<ArcGeom>();
  PointRec centre = toPointRec(arc.center);
  PointRec oldStart = polarRad(centre, arc.startAngle, arc.radius);
  PointRec oldEnd = polarRad(centre, arc.endAngle, arc.radius);
  if (nearPoint(p, oldStart) || nearPoint(p, oldEnd)) return EntityRef{};
  p = closestOn(host, record, p);
  arc.endAngle = radiansFromDegrees(angleDeg(host, centre, p));
  if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
  return makeArcEntity(host, arcFromThreePoints(host, centre, p, oldEnd, 0));
}

EntityRef breakCircle(Host& host, const EntityRef& ref, const EntityRecord& record, PointRec p) {
  const CircleGeom& circle = *record.as<CircleGeom>();
  p = closestOn(host, record, p);
  if (host.acdbEntDel(ref.name) != RTNORM) return EntityRef{};
  return makeArcEntity(host, arcFromThreePoints(host, toPointRec(circle.center), p, p, 0));
}

// A closed polyline opened in place so that it begins and ends at vertex k.
EntityRef openAtVertex(Host& host, const EntityRef& ref, EntityRecord record, size_t k) {
  PolylineGeom& polyline = *record.as<PolylineGeom>();
  const std::vector<PolyVertex> old = polyline.vertices;
  size_t n = old.size();
  polyline.vertices.clear();
  for (size_t i = 0; i < n; ++i) polyline.vertices.push_back(old[(k + i) % n]);
  PolyVertex again = old[k];
  again.bulge = 0.0;
  polyline.vertices.push_back(again);
  polyline.closed = false;
  if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
  return wholeEntityRef(ref.name, kKindPolyline);
}

EntityRef breakPolyline(Host& host, const EntityRef& ref, EntityRecord record, PointRec p, int segment,
                        bool& keepLayer) {
  PolylineGeom& polyline = *record.as<PolylineGeom>();
  const std::vector<PolyVertex> old = polyline.vertices;
  size_t n = old.size();
  size_t s = static_cast<size_t>(segment);
  PointRec a = vertexPoint(polyline, s), b = vertexPoint(polyline, (s + 1) % n);
  if (nearPoint(p, a) || nearPoint(p, b)) {
    size_t k = nearPoint(p, a) ? s : s + 1;
    if (polyline.closed) {
      keepLayer = true;
      return openAtVertex(host, ref, record, k % n);
    }
    if (k == 0 || k >= n - 1) return EntityRef{};
    polyline.vertices.resize(k + 1);
    if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
    return makePolylineEntity(host, std::vector<PolyVertex>(old.begin() + static_cast<long>(k), old.end()),
                              false, polyline.elevation);
  }
  p = closestOn(host, record, p);
  double b1 = 0.0, b2 = 0.0;
  splitBulge(host, a, p, b, old[s].bulge, b1, b2);
  if (polyline.closed) {
    polyline.vertices.clear();
    polyline.vertices.push_back(vertexAt(p, b2));
    for (size_t i = s + 1; i < n; ++i) polyline.vertices.push_back(old[i]);
    for (size_t i = 0; i <= s; ++i) polyline.vertices.push_back(old[i]);
    polyline.vertices.back().bulge = b1;
    polyline.vertices.push_back(vertexAt(p, 0.0));
    polyline.closed = false;
    if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
    return wholeEntityRef(ref.name, kKindPolyline);
  }
  std::vector<PolyVertex> rest = {vertexAt(p, b2)};
  rest.insert(rest.end(), old.begin() + static_cast<long>(s + 1), old.end());
  polyline.vertices.resize(s + 2);
  polyline.vertices[s].bulge = b1;
  polyline.vertices[s + 1].x = p.x;
  polyline.vertices[s + 1].y = p.y;
  if (host.acdbEntMod(ref.name, record) != RTNORM) return EntityRef{};
  return makePolylineEntity(host, rest, false, polyline.elevation);
}

}  // namespace

PolylineLocation locateOnEntity(Host& host, const PointRec& p, const EntityRef& ref) {
  if (ref.valid != 1) return located(0);
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return located(0);
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
    if (!withinArc(angleRad(centre, p), arc->startAngle, arc->endAngle)) return located(0);
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
  PolylineLocation at = locateOnEntity(host, p, whole);
  if (at.result == 0) return EntityRef{};
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return EntityRef{};
  const int sourceLayer = readEntityData(host, whole).layerId;
  bool keepLayer = false;
  EntityRef piece;
  switch (record.type()) {
    case EntityType::Line:
      piece = breakLine(host, ref, record, p);
      break;
    case EntityType::Arc:
      piece = breakArc(host, ref, record, p);
      break;
    case EntityType::Circle:
      piece = breakCircle(host, ref, record, p);
      break;
    case EntityType::Polyline:
      piece = breakPolyline(host, ref, record, p, at.segment, keepLayer);
      break;
    default:
      return EntityRef{};
  }
  if (piece.valid != 1 || keepLayer) return piece;
  EntityData data = readEntityData(host, piece);
  data.layerId = sourceLayer;
  writeEntityData(host, piece, data);
  host.acdbEntUpd(ref.name);
  host.acdbEntUpd(piece.name);
  return piece;
}

}  // namespace optgrind
