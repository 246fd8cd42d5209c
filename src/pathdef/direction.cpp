#include "pathdef/direction.h"

#include <cmath>

#include "geometry/drawing_vars.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/pick_prompt.h"
#include "geometry/primitives.h"
#include "geometry/profile_join.h"
#include "geometry/segment_walk.h"
#include "geometry/selection_filter.h"
#include "host/messages.h"

namespace optgrind {
namespace {

const MessageText kChangeDirection = {"\n變更方向 ?(Y/N)<否>\n ", "\n变更方向 ?(Y/N)<否>\n ",
                                      "\nChange direction ?(Y/N)<No>\n "};

constexpr int kSelectEverything = 65535;
constexpr double kArrowSpread = 150.0;  // degrees between the path and an arrow side
constexpr int kAnswerYes = kPickKeyword + 1;

double markSize(Host& host) {
  ResBuf size;
  return host.acedGetVar("VIEWSIZE", size) == RTNORM ? size.asReal() / kMarkSizeDivisor : 1.0;
}

EntityRef makeCircleEntity(Host& host, const PointRec& centre, double radius) {
  EntityRecord record = currentProperties(host);
  CircleGeom circle;
  circle.center = toPoint3(centre);
  circle.radius = radius;
  record.geom = circle;
  EntityName name;
  if (host.acdbEntMake(record, name) != RTNORM) return EntityRef{};
  return wholeEntityRef(name, kKindCircle);
}

// A circle of radius d and a cross at p.
DirectionMarkers drawStartMark(Host& host, const PointRec& p, double d) {
  DirectionMarkers m;
  m.circle = makeCircleEntity(host, p, d);
  m.line1 = makeLineEntity(host, makeLine(polarDeg(p, 45.0, d), polarDeg(p, 225.0, d)));
  m.line2 = makeLineEntity(host, makeLine(polarDeg(p, 135.0, d), polarDeg(p, 315.0, d)));
  return m;
}

// The running direction at the end of segment i, degrees.
double directionAtEnd(const PolylineGeom& polyline, int i, const PointRec& start, const PointRec& end) {
  if (segmentKind(polyline, i) != kKindArc) return degreesFromRadians(angleRad(start, end));
  PointRec centre;
  double radius = 0.0;
  double bulge = polyline.vertices[static_cast<size_t>(i)].bulge;
  arcFromBulge(start, end, bulge, centre, radius);
  double radial = degreesFromRadians(angleRad(centre, end));
  return bulge > 0.0 ? radial + 90.0 : radial - 90.0;
}

void drawArrows(Host& host, const PolylineGeom& polyline, double d) {
  int count = segmentCount(polyline);
  size_t n = polyline.vertices.size();
  for (int i = 0; i < count; ++i) {
    PointRec start = vertexPoint(polyline, static_cast<size_t>(i));
    PointRec end = vertexPoint(polyline, (static_cast<size_t>(i) + 1) % n);
    double a = directionAtEnd(polyline, i, start, end);
    makeLineEntity(host, makeLine(end, polarDeg(end, a + kArrowSpread, d)));
    makeLineEntity(host, makeLine(end, polarDeg(end, a - kArrowSpread, d)));
  }
}

// Erases every entity after `last` in drawing order.
void eraseAfter(Host& host, const EntityRef& last) {
  std::vector<EntityName> drawn;
  EntityName next;
  const EntityName* after = last.valid == 1 ? &last.name : nullptr;
  while (host.acdbEntNext(after, next) == RTNORM) {
    drawn.push_back(next);
    after = &drawn.back();
  }
  for (const EntityName& name : drawn) host.acdbEntDel(name);
}

}  // namespace

int askDirection(Host& host, const EntityRef& path, DirectionMarkers& markers) {
  PolylineGeom polyline;
  if (!readPolyline(host, path.name, polyline) || segmentCount(polyline) < 1) return 0;
  EntityRef last = lastEntity(host);
  int oldMask = 0;
  bool hadMask = getDrawingVar(host, kSelMaskVar, oldMask);
  setDrawingVar(host, kSelMaskVar, kSelectEverything);
  double d = markSize(host);
  if (!polyline.closed) drawStartMark(host, vertexPoint(polyline, 0), d);
  drawArrows(host, polyline, d);
  int answer = pickAndKeyword(host, chooseText(host, kChangeDirection), kDirectionSlot, kPickAnyPoint, "N Y");
  int oldSnap = 0;
  bool hadSnap = getDrawingVar(host, "SNAPFLAG", oldSnap);
  setDrawingVar(host, "SNAPFLAG", 0);
  eraseAfter(host, last);
  if (hadSnap) {
    setDrawingVar(host, "SNAPFLAG", oldSnap);
  } else {
    removeDrawingVar(host, "SNAPFLAG");
  }
  if (hadMask) {
    setDrawingVar(host, kSelMaskVar, oldMask);
  } else {
    removeDrawingVar(host, kSelMaskVar);
  }
  if (answer != kAnswerYes) return 0;
  markers.set = 1;
  reverse(host, wholeEntityRef(path.name, kKindPolyline));
  if (!readPolyline(host, path.name, polyline)) return 1;
  DirectionMarkers drawn = drawStartMark(host, vertexPoint(polyline, 0), d);
  markers.circle = drawn.circle;
  markers.line1 = drawn.line1;
  markers.line2 = drawn.line2;
  return 1;
}

void eraseDirectionMarkers(Host& host, DirectionMarkers& markers) {
  if (markers.set != 1) return;
  for (EntityRef* ref : {&markers.circle, &markers.line1, &markers.line2}) {
    if (ref->valid == 1) host.acdbEntDel(ref->name);
    *ref = EntityRef{};
  }
  markers.set = 0;
}

}  // namespace optgrind
