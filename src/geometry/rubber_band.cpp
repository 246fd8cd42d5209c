#include "geometry/rubber_band.h"

#include <cmath>

#include "geometry/entity_data.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// Curves are drawn as vectors of at most this angle (radians).
constexpr double kRubberBandStep = kPi / 36.0;
constexpr int kRedrawView = 1;

int drawCurve(Host& host, const PointRec& centre, double radius, double startAngle, double sweep, int color) {
  int steps = static_cast<int>(std::ceil(std::fabs(sweep) / kRubberBandStep));
  if (steps < 1) steps = 1;
  PointRec from = polarRad(centre, startAngle, radius);
  for (int i = 1; i <= steps; ++i) {
    PointRec to = polarRad(centre, startAngle + sweep * i / steps, radius);
    if (!drawRubberLine(host, from, to, color)) return 0;
    from = to;
  }
  return 1;
}

int drawElement(Host& host, const EntityRef& ref, EntityKind kind, int color) {
  EntityRef typed = ref;
  typed.kind = kind;
  if (kind == kKindLine) {
    LineRec line = lineFromRef(host, typed);
    return drawRubberLine(host, line.start, line.end, color);
  }
  if (kind == kKindArc) return drawRubberArc(host, arcFromRef(host, typed), color);
  if (kind == kKindCircle) return drawRubberCircle(host, circleFromRef(host, typed), color);
  return 1;
}

}  // namespace

int drawRubberLine(Host& host, const PointRec& from, const PointRec& to, int color) {
  if (host.acedGrDraw(toPoint3(from), toPoint3(to), color, false) == RTNORM) return 1;
  host.acedRedraw(nullptr, kRedrawView);
  return 0;
}

int drawRubberArc(Host& host, const ArcRec& arc, int color) {
  return drawCurve(host, arc.centre, arc.radius, arc.startAngle, arc.sweep, color);
}

int drawRubberCircle(Host& host, const CircleRec& circle, int color) {
  return drawCurve(host, circle.centre, circle.radius, 0.0, 2.0 * kPi, color);
}

int showProfile(Host& host, const EntityRef& ref, int color) {
  EntityKind kind = classifyEntity(host, ref);
  if (!isWholePolylineKind(kind)) return drawElement(host, ref, kind, color);
  PolylineGeom polyline;
  if (!readPolyline(host, ref.name, polyline)) return 0;
  EntityRef whole = ref;
  whole.segment = kWholeEntity;
  EntityRef segment = nextSegment(host, whole);
  // At most one round: a closed walk comes back to its first segment.
  for (int count = 0; segment.valid == 1 && count < segmentCount(polyline); ++count) {
    if (!drawElement(host, segment, segment.kind, color)) return 0;
    segment = nextSegment(host, segment);
    if (segment.segment == 0) break;
  }
  return 1;
}

}  // namespace optgrind
