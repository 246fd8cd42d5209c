#include "pathdef/path_edit.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "geometry/arcs.h"
#include "geometry/entity_data.h"
#include "geometry/entity_lists.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/intersect.h"
#include "geometry/primitives.h"
#include "geometry/profile_join.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// How far beside a meeting point the element is probed for running along
// the profile, and how near the profile a probe counts as on it.
constexpr double kOverlapProbe = 0.005;
constexpr double kOnProfileTolerance = 1e-5;
constexpr size_t kCrossingRoom = 64;
// Relative rounding allowed for in a quick box test.
constexpr double kRoundingMargin = 1e-9;
// Relative rounding allowed for in the test of a run of segments.
constexpr double kRunSlack = 1e-6;

EntityRef segmentRef(const EntityRef& polyline, int segment, EntityKind kind) {
  EntityRef ref = polyline;
  ref.segment = segment;
  ref.tagIndex = kNoTag;
  ref.kind = kind;
  ref.valid = 1;
  return ref;
}

// Points on the element at kOverlapProbe either side of x (those that lie
// on the element).
std::vector<PointRec> probesBeside(const EntityRecord& record, const PointRec& x) {
  std::vector<PointRec> probes;
  if (const auto* line = record.as<LineGeom>()) {
    PointRec a = toPointRec(line->start), b = toPointRec(line->end);
    double len = distance(a, b);
    if (len <= 0.0) return probes;
    double t = distance(a, x);
    for (double d : {t - kOverlapProbe, t + kOverlapProbe}) {
      if (d > 0.0 && d < len) probes.push_back(polarRad(a, angleRad(a, b), d));
    }
  } else if (const auto* arc = record.as<ArcGeom>()) {
    PointRec k = toPointRec(arc->center);
    double sweep = arc->endAngle - arc->startAngle;
    if (sweep <= 0.0) sweep += 2.0 * kPi;
    double t = angleRad(k, x) - arc->startAngle;
    while (t < 0.0) t += 2.0 * kPi;
    double step = kOverlapProbe / arc->radius;
    for (double d : {t - step, t + step}) {
      if (d > 0.0 && d < sweep) probes.push_back(polarRad(k, arc->startAngle + d, arc->radius));
    }
  }
  return probes;
}

bool runsAlongProfile(const EntityRecord& element, const PolylineGeom& path, const std::vector<int>& near,
                      const PointRec& x) {
  for (const PointRec& probe : probesBeside(element, x)) {
    for (int segment : near) {
      if (std::fabs(distanceToSegment(path, segment, probe)) < kOnProfileTolerance) return true;
    }
  }
  return false;
}

// Whether segment u-v surely misses the box grown by kSameCrossingTolerance,
// found with a few additions: half a turn or less keeps within the bulge
// times the chord's taxicab length of the chord (more than the sagitta);
// the margin covers the rounding of the centre and quarter points that
// boxesMeet finds, which grows as the bulge flattens.
bool surelyApart(const PolyVertex& u, const PolyVertex& v, const LineRec& box) {
  double bulge = std::fabs(u.bulge);
  if (!(bulge <= 1.0)) return false;
  double taxicab = std::fabs(v.x - u.x) + std::fabs(v.y - u.y);
  double size = std::fabs(u.x) + std::fabs(u.y) + std::fabs(v.x) + std::fabs(v.y) + taxicab;
  if (!(size < HUGE_VAL)) return false;
  double rounding = kRoundingMargin * (1.0 + size + (bulge > 0.0 ? taxicab / bulge : 0.0));
  double grow = bulge * taxicab / 2.0 + kSameCrossingTolerance + rounding;
  return std::min(u.x, v.x) - grow > box.end.x || std::max(u.x, v.x) + grow < box.start.x ||
         std::min(u.y, v.y) - grow > box.end.y || std::max(u.y, v.y) + grow < box.start.y;
}

// Whether no segment of the run can meet the box grown by the tolerance:
// the run's bounds hold its arcs whole. The slack covers the rounding of
// the centres and quarter points that boxesMeet finds, well under a
// millionth of the coordinates for any bulge not taken as straight.
bool runFarFrom(const SegmentRun& run, const LineRec& box, double boxSize) {
  const PlaneBox& c = run.corners;
  double size =
      4.0 * std::max(std::max(std::fabs(c.x0), std::fabs(c.x1)), std::max(std::fabs(c.y0), std::fabs(c.y1)));
  double grow = kSameCrossingTolerance + kRunSlack * (1.0 + size + boxSize);
  const PlaneBox& b = run.bounds;
  return b.x0 - grow > box.end.x || b.x1 + grow < box.start.x || b.y0 - grow > box.end.y ||
         b.y1 + grow < box.start.y;
}

// Whether the element's box, grown by the tolerance, meets the box of b.
bool boxesMeet(const LineRec& box, const ElementGeom& b) {
  double lx = std::min(b.b.x, b.e.x), hx = std::max(b.b.x, b.e.x);
  double ly = std::min(b.b.y, b.e.y), hy = std::max(b.b.y, b.e.y);
  if (b.isArc) {
    // The quarter points of the circle that the arc passes widen the box.
    double from = angleRad(b.k, b.b);
    for (int q = 0; q < 4; ++q) {
      double axis = q * kPi / 2.0;
      double along = b.sweep >= 0.0 ? axis - from : from - axis;
      along = std::fmod(along + 4.0 * kPi, 2.0 * kPi);
      if (along > std::fabs(b.sweep)) continue;
      PointRec p = polarRad(b.k, axis, b.radius);
      lx = std::min(lx, p.x), hx = std::max(hx, p.x), ly = std::min(ly, p.y), hy = std::max(hy, p.y);
    }
  }
  double t = kSameCrossingTolerance;
  return lx <= box.end.x + t && hx >= box.start.x - t && ly <= box.end.y + t && hy >= box.start.y - t;
}

bool readPolylineOf(Host& host, const EntityRef& ref, PolylineGeom& out) {
  return readPolyline(host, ref.name, out);
}

}  // namespace

EntityRef asWhole(const EntityRef& ref) {
  EntityRef whole = ref;
  whole.segment = kWholeEntity;
  whole.tagIndex = kNoTag;
  whole.valid = ref.name.isNull() ? 0 : 1;
  return whole;
}

ElementGeom readElement(Host& host, const EntityRef& polyline, int segment) {
  EntityRecord record;
  if (host.acdbEntGet(polyline.name, record) != RTNORM) return ElementGeom{};
  return readElement(host, polyline, record, segment);
}

ElementGeom readElement(Host& host, const EntityRef& polyline, const EntityRecord& record, int segment) {
  ElementGeom el;
  const PolylineGeom* read = record.as<PolylineGeom>();
  if (!read || segment < 0 || segment >= segmentCount(*read)) return el;
  const PolylineGeom& geom = *read;
  EntityKind kind = segmentKind(geom, segment);
  EntityData data = readEntityData(host, segmentRef(polyline, segment, kind), record);
  if (data.colorIndex == -1) return el;
  el.b = data.startPoint;
  el.e = data.endPoint;
  el.isArc = kind == kKindArc;
  if (el.isArc) {
    el.k = data.centre;
    el.radius = data.radius;
    el.sweep = data.sweep;
  }
  el.valid = 1;
  return el;
}

ElementGeom elementOf(const PolylineGeom& geom, int segment) {
  size_t at = static_cast<size_t>(segment);
  ElementGeom el;
  el.b = vertexPoint(geom, at);
  el.e = vertexPoint(geom, (at + 1) % geom.vertices.size());
  double bulge = geom.vertices[at].bulge;
  if (segmentKind(geom, segment) == kKindArc) {
    el.isArc = 1;
    arcFromBulge2d(el.b, el.e, bulge, el.k, el.radius);
    el.sweep = 4.0 * std::atan(bulge);
  }
  el.valid = 1;
  return el;
}

std::vector<ElementGeom> readElements(Host& host, const EntityRef& polyline) {
  std::vector<ElementGeom> out;
  PolylineGeom geom;
  if (!readPolylineOf(host, polyline, geom)) return out;
  int count = segmentCount(geom);
  for (int i = 0; i < count; ++i) out.push_back(elementOf(geom, i));
  return out;
}

int segmentUnder(Host& host, const EntityRef& polyline, const PointRec& p) {
  EntityRecord record;
  return host.acdbEntGet(polyline.name, record) == RTNORM ? segmentUnder(record, p) : -1;
}

int segmentUnder(const EntityRecord& record, const PointRec& p) {
  const PolylineGeom* geom = record.as<PolylineGeom>();
  if (!geom) return -1;
  PolylineLocation at = locateOnPolyline(*geom, p);
  return at.result == 0 ? -1 : at.segment;
}

ElementGeom elementAfter(Host& host, const EntityRef& polyline, const EntityRecord& record, int segment) {
  const PolylineGeom* geom = record.as<PolylineGeom>();
  if (!geom) return ElementGeom{};
  int next = segment + 1;
  if (next >= segmentCount(*geom)) {
    if (!geom->closed) return ElementGeom{};
    next = 0;
  }
  return readElement(host, polyline, record, next);
}

bool polylineEnds(Host& host, const EntityRef& polyline, PointRec& first, PointRec& last) {
  EntityRecord record;
  return host.acdbEntGet(polyline.name, record) == RTNORM && polylineEnds(record, first, last);
}

bool polylineEnds(const EntityRecord& record, PointRec& first, PointRec& last) {
  const PolylineGeom* geom = record.as<PolylineGeom>();
  if (!geom || geom->vertices.size() < 2) return false;
  first = vertexPoint(*geom, 0);
  last = geom->closed ? first : vertexPoint(*geom, geom->vertices.size() - 1);
  return true;
}

bool isClosedPolyline(Host& host, const EntityRef& polyline) {
  EntityRecord record;
  return host.acdbEntGet(polyline.name, record) == RTNORM && isClosedPolyline(record);
}

bool isClosedPolyline(const EntityRecord& record) {
  const PolylineGeom* geom = record.as<PolylineGeom>();
  return geom && geom->closed;
}

EntityRef makeExtraEntity(Host& host, const ExtraElement& element) {
  if (element.valid != 1) return EntityRef{};
  if (!element.isArc) return makeLineEntity(host, makeLine(element.from, element.to));
  ArcRec arc = arcFromThreePoints(host, element.mid, element.from, element.to, 1);
  if (arc.valid != 1) return makeLineEntity(host, makeLine(element.from, element.to));
  return makeArcEntity(host, arc);
}

int countCrossings(Host& host, const EntityRef& element, const EntityRef& path) {
  // Both read once: the path's vertices are moved out of its record, which
  // then lends its properties to each segment's curve.
  EntityRecord elementRecord, pathRecord;
  Point3 lo, hi;
  if (element.name == path.name || host.acdbEntGet(element.name, elementRecord) != RTNORM ||
      host.getGeomExtents(elementRecord, lo, hi) != RTNORM)
    return 0;
  LineRec box = makeLine(toPointRec(lo), toPointRec(hi));
  PolylineGeom* pathPolyline =
      host.acdbEntGet(path.name, pathRecord) == RTNORM ? pathRecord.as<PolylineGeom>() : nullptr;
  if (!pathPolyline) return 0;
  const PolylineGeom geom = std::move(*pathPolyline);
  // Only the segments whose boxes meet the element's can meet it.
  std::vector<int> near;
  int count = segmentCount(geom);
  size_t n = geom.vertices.size();
  const PolyVertex* v = geom.vertices.data();
  auto test = [&](size_t at) {
    if (surelyApart(v[at], v[at + 1 < n ? at + 1 : 0], box)) return;
    if (boxesMeet(box, elementOf(geom, static_cast<int>(at)))) near.push_back(static_cast<int>(at));
  };
  // The runs of segment boxes kept with the path's vertices (the pick made
  // them already) pass over the far parts; the closing segment of a closed
  // path is in no run.
  double boxSize = std::max(std::max(std::fabs(box.start.x), std::fabs(box.end.x)),
                            std::max(std::fabs(box.start.y), std::fabs(box.end.y)));
  const SegmentRuns& runs = geom.vertices.segmentRuns();
  for (size_t r = 0; r < runs.runs.size(); ++r) {
    if (runFarFrom(runs.runs[r], box, boxSize)) continue;
    for (size_t at = SegmentRuns::firstOf(r); at < runs.endOf(r); ++at) test(at);
  }
  for (size_t at = runs.segments; at < static_cast<size_t>(count); ++at) test(at);
  std::vector<PointRec> found;
  for (int segment : near) {
    EntityRecord curve;
    std::vector<Point3> here;
    if (!segmentAsCurve(pathRecord, geom, segment, curve) ||
        host.intersectWith(elementRecord, curve, 0, here) != RTNORM)
      continue;
    for (size_t i = 0; i < here.size() && i < kCrossingRoom; ++i) found.push_back(toPointRec(here[i]));
  }
  std::vector<PointRec> counted;
  for (const PointRec& x : found) {
    bool seen = false;
    for (const PointRec& c : counted) seen = seen || distance(c, x) < kSameCrossingTolerance;
    if (seen || runsAlongProfile(elementRecord, geom, near, x)) continue;
    counted.push_back(x);
  }
  return static_cast<int>(counted.size());
}

EntityRef joinToPath(Host& host, const EntityRef& element, const EntityRef& path,
                     const PointRec& expectedStart) {
  // The joined polyline takes the element's properties; the path's colour
  // (its role) is given back to it.
  int pathColor = readEntityData(host, asWhole(path)).colorIndex;
  ResBuf accept;
  bool haveAccept = host.acedGetVar("PEDITACCEPT", accept) == RTNORM;
  host.acedSetVar("PEDITACCEPT", ResBuf::ofInt(RTSHORT, 1));
  ResBufList args = {ResBuf::ofString(RTSTR, "PEDIT"), ResBuf::ofName(element.name),
                     ResBuf::ofString(RTSTR, "J"),     ResBuf::ofName(path.name),
                     ResBuf::ofString(RTSTR, ""),      ResBuf::ofString(RTSTR, "")};
  int rc = host.acedCommand(args);
  if (haveAccept) host.acedSetVar("PEDITACCEPT", accept);
  if (rc != RTNORM) return EntityRef{};
  EntityRef joined = lastEntity(host);
  PolylineGeom geom;
  if (joined.valid != 1 || !readPolyline(host, joined.name, geom)) return EntityRef{};
  // The path itself must be gone into the result: a join that left it
  // apart did not join.
  if (!(joined.name == path.name) && entityExists(host, asWhole(path))) return EntityRef{};
  joined.kind = kKindPolyline;
  orientToStart(host, joined, geom, expectedStart);
  if (pathColor >= 0) setColor(host, joined, pathColor);
  return joined;
}

void orientToStart(Host& host, const EntityRef& polyline, const PointRec& start) {
  PolylineGeom geom;
  if (readPolylineOf(host, polyline, geom)) orientToStart(host, polyline, geom, start);
}

void orientToStart(Host& host, const EntityRef& polyline, const PolylineGeom& geom, const PointRec& start) {
  if (geom.vertices.size() < 2) return;
  PointRec first = vertexPoint(geom, 0);
  PointRec last = geom.closed ? first : vertexPoint(geom, geom.vertices.size() - 1);
  if (distance(first, start) > kOrientTolerance && distance(last, start) <= kOrientTolerance) {
    reverse(host, asWhole(polyline));
  }
}

EntityRef makeCircleEntity(Host& host, const PointRec& centre, double radius, int color) {
  EntityRecord record = currentProperties(host);
  CircleGeom circle;
  circle.center = toPoint3(centre);
  circle.radius = radius;
  record.geom = circle;
  if (color >= 0) record.color = color;
  EntityName name;
  if (host.acdbEntMake(record, name) != RTNORM) return EntityRef{};
  return wholeEntityRef(name, kKindCircle);
}

void setColor(Host& host, const EntityRef& ref, int color) {
  EntityRef whole = asWhole(ref);
  EntityRecord record;
  if (host.acdbEntGet(whole.name, record) != RTNORM) return;
  EntityData data = readEntityData(host, whole, record);
  if (data.colorIndex == -1) return;
  data.colorIndex = color;
  writeEntityData(host, whole, data, std::move(record));
}

void deleteEntity(Host& host, const EntityRef& ref) {
  EntityRef whole = asWhole(ref);
  if (entityExists(host, whole)) erase(host, whole);
}

}  // namespace optgrind
