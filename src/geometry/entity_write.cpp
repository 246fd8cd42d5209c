// Writing an EntityData back to its entity.
#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/entity_data.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"
#include "geometry/tables.h"
#include "geometry/tags.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

// An arc's angle is written only when it changed by this much (radians):
// angles read through the drawing's precision come back unchanged.
constexpr double kAngleWriteThreshold = 0.01;

void setVertex(PolylineGeom& polyline, size_t i, const PointRec& p) {
  PolyVertex& v = polyline.vertices.edit()[i];
  v.x = p.x;
  v.y = p.y;
}

void writePolylineSegment(PolylineGeom& polyline, int segment, const EntityData& data) {
  if (segment < 0 || segment >= segmentCount(polyline)) return;
  size_t n = polyline.vertices.size();
  size_t a = static_cast<size_t>(segment), b = (a + 1) % n;
  if (isStraightBulge(polyline.vertices[a].bulge)) {
    setVertex(polyline, a, data.startPoint);
    setVertex(polyline, b, data.endPoint);
    return;
  }
  // The bulge stays: the segment keeps its included angle and its centre
  // and radius follow from the ends.
  if (pointsDiffer(vertexPoint(polyline, a), data.startPoint)) setVertex(polyline, a, data.startPoint);
  if (pointsDiffer(vertexPoint(polyline, b), data.endPoint)) setVertex(polyline, b, data.endPoint);
}

// How far apart two angles are round the circle: arcs may hold the same
// direction as a or a + 2*pi.
double angleApart(double a, double b) {
  double d = counterClockwiseSweep(a, b);
  return std::min(d, kTwoPi - d);
}

void writeArc(ArcGeom& arc, const EntityData& data) {
  const PointRec formerCentre = toPointRec(arc.center);
  const double formerRadius = arc.radius;
  const PointRec formerStart = polarRad(formerCentre, arc.startAngle, formerRadius);
  const PointRec formerEnd = polarRad(formerCentre, arc.endAngle, formerRadius);
  arc.center = toPoint3(data.centre);
  arc.radius = data.radius;
  arc.thickness = 0.0;
  if (angleApart(arc.startAngle, data.startAngle) >= kAngleWriteThreshold) arc.startAngle = data.startAngle;
  if (angleApart(arc.endAngle, data.endAngle) >= kAngleWriteThreshold) arc.endAngle = data.endAngle;
  // Moved end points turn the arc's angles about its former centre.
  if (pointsDiffer(data.startPoint, formerStart)) arc.startAngle = angleRad(formerCentre, data.startPoint);
  if (pointsDiffer(data.endPoint, formerEnd)) arc.endAngle = angleRad(formerCentre, data.endPoint);
}

void writeDimension(DimensionGeom& dim, const EntityData& data) {
  dim.text = utf8Cut(data.dimText, kDimTextRoom);
  dim.textRotation = radiansFromDegrees(data.dimRotationDeg);
  if (dim.kind == DimKind::Ordinate) {
    dim.defPoint3 = toPoint3(data.endPoint);
    dim.defPoint2 = toPoint3(data.startPoint);
  } else {
    dim.textPosition = toPoint3(data.endPoint);
    dim.blockPosition = toPoint3(data.startPoint);
  }
}

void writeProperties(Host& host, EntityRecord& record, const EntityData& data) {
  LayerRecord layer;
  bool haveLayer = findLayerById(host, data.layerId, layer);
  if (haveLayer) record.layer = layer.name;
  if (data.linetypeId == kLinetypeByLayer) {
    // The entity gets its layer's linetype explicitly.
    if (haveLayer || findLayerByName(host, record.layer, layer)) record.linetype = layer.linetype;
  } else {
    std::string linetype = linetypeNameById(host, data.linetypeId);
    if (!linetype.empty()) record.linetype = linetype;
  }
  if (data.colorIndex >= kColorByBlock && data.colorIndex <= kColorByLayer) record.color = data.colorIndex;
}

void writeGeometry(const EntityRef& ref, EntityRecord& record, const EntityData& data) {
  if (auto* polyline = record.as<PolylineGeom>()) {
    writePolylineSegment(*polyline, ref.segment, data);
  } else if (auto* point = record.as<PointGeom>()) {
    point->position = toPoint3(data.startPoint);
  } else if (auto* line = record.as<LineGeom>()) {
    line->start = toPoint3(data.startPoint);
    line->end = toPoint3(data.endPoint);
  } else if (auto* arc = record.as<ArcGeom>()) {
    writeArc(*arc, data);
  } else if (auto* circle = record.as<CircleGeom>()) {
    circle->center = toPoint3(data.startPoint);
    circle->radius = data.radius;
    circle->thickness = 0.0;
  } else if (auto* text = record.as<TextGeom>()) {
    text->text = utf8Cut(data.text, kTextRoom);
    text->position = toPoint3(data.startPoint);
    text->rotation = radiansFromDegrees(data.rotationDeg);
    text->oblique = radiansFromDegrees(data.obliqueDeg);
  } else if (auto* mtext = record.as<MTextGeom>()) {
    mtext->contents = utf8Cut(data.text, kTextRoom);
    mtext->rotation = radiansFromDegrees(data.rotationDeg);
  } else if (auto* dim = record.as<DimensionGeom>()) {
    writeDimension(*dim, data);
  }
}

}  // namespace

int writeEntityData(Host& host, const EntityRef& ref, const EntityData& data) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return RTERROR;
  return writeEntityData(host, ref, data, std::move(record));
}

int writeEntityData(Host& host, const EntityRef& ref, const EntityData& data, EntityRecord record) {
  LayerUnlock unlock(host);
  if (ref.kind == kKindTag) {
    if (!writeTagPair(record.xdata, ref.tagIndex, data.tagKey, data.tagValue)) return RTERROR;
    return host.acdbEntMod(ref.name, record);
  }
  writeProperties(host, record, data);
  writeGeometry(ref, record, data);
  return host.acdbEntMod(ref.name, record);
}

}  // namespace optgrind
