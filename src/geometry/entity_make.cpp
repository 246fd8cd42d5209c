#include "geometry/entity_make.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "geometry/primitives.h"
#include "geometry/segment_walk.h"
#include "geometry/tables.h"

namespace optgrind {
namespace {

constexpr int kFirstPaletteColor = 1;
constexpr int kLastPaletteColor = 255;

std::string textVariable(Host& host, const char* name, const std::string& fallback) {
  ResBuf value;
  if (host.acedGetVar(name, value) != RTNORM || !value.isString() || value.asString().empty())
    return fallback;
  return value.asString();
}

int colorFromText(const std::string& text) {
  if (equalIgnoringCase(text, "BYBLOCK")) return kColorByBlock;
  int index = std::atoi(text.c_str());
  return index >= kFirstPaletteColor && index <= kLastPaletteColor ? index : kColorByLayer;
}

EntityRef appended(Host& host, const EntityRecord& record, EntityKind kind) {
  EntityName name;
  if (host.acdbEntMake(record, name) != RTNORM) return EntityRef{};
  return wholeEntityRef(name, kind);
}

}  // namespace

EntityRecord currentProperties(Host& host) {
  EntityRecord record;
  record.layer = textVariable(host, "CLAYER", "0");
  record.color = colorFromText(textVariable(host, "CECOLOR", "BYLAYER"));
  record.linetype = textVariable(host, "CELTYPE", "BYLAYER");
  return record;
}

EntityRef makeLineEntity(Host& host, const LineRec& line) {
  return makeLineEntity(host, currentProperties(host), line);
}

EntityRef makeLineEntity(Host& host, const EntityRecord& properties, const LineRec& line) {
  EntityRecord record = properties;
  record.geom = LineGeom{toPoint3(line.start), toPoint3(line.end), 0.0};
  return appended(host, record, kKindLine);
}

EntityRef makeArcEntity(Host& host, const ArcRec& arc) {
  EntityRecord record = currentProperties(host);
  ArcGeom geom;
  geom.center = toPoint3(arc.centre);
  geom.radius = arc.radius;
  // The host keeps an arc's angles in [0, 2*pi).
  geom.startAngle = normalizeAngle(arc.sweep > 0.0 ? arc.startAngle : arc.endAngle);
  geom.endAngle = normalizeAngle(arc.sweep > 0.0 ? arc.endAngle : arc.startAngle);
  record.geom = geom;
  return appended(host, record, kKindArc);
}

EntityRef makePolylineEntity(Host& host, std::vector<PolyVertex> vertices, bool closed, double elevation) {
  EntityRecord record = currentProperties(host);
  PolylineGeom geom;
  geom.vertices = std::move(vertices);
  geom.closed = closed;
  geom.elevation = elevation;
  record.geom = std::move(geom);
  return appended(host, record, kKindPolyline);
}

bool segmentAsCurve(const EntityRecord& polyline, int segment, EntityRecord& out) {
  const PolylineGeom* geom = polyline.as<PolylineGeom>();
  return geom && segmentAsCurve(polyline, *geom, segment, out);
}

bool segmentAsCurve(const EntityRecord& properties, const PolylineGeom& polyline, int segment,
                    EntityRecord& out) {
  const PolylineGeom* geom = &polyline;
  if (segment < 0 || segment >= segmentCount(*geom)) return false;
  size_t n = geom->vertices.size();
  size_t i = static_cast<size_t>(segment);
  PointRec a = vertexPoint(*geom, i), b = vertexPoint(*geom, (i + 1) % n);
  double bulge = geom->vertices[i].bulge;
  out = properties;
  out.xdata.clear();
  if (isStraightBulge(bulge)) {
    out.geom = LineGeom{toPoint3(a), toPoint3(b), 0.0};
    return true;
  }
  ArcGeom arc;
  PointRec centre;
  arcFromBulge(a, b, bulge, centre, arc.radius);
  arc.center = toPoint3(centre);
  double startAngle = angleRad(centre, a), endAngle = angleRad(centre, b);
  arc.startAngle = bulge > 0.0 ? startAngle : endAngle;
  arc.endAngle = bulge > 0.0 ? endAngle : startAngle;
  out.geom = arc;
  return true;
}

}  // namespace optgrind
