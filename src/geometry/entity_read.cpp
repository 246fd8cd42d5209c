// Classifying entities and reading them into EntityData.
#include <cmath>
#include <cstdio>

#include "geometry/entity_data.h"
#include "geometry/entity_refs.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"
#include "geometry/tables.h"
#include "geometry/tags.h"
#include "host/utf8.h"
#include "host/wildcard.h"

namespace optgrind {
namespace {

// Tagged polylines come from drawings prepared elsewhere.
inline constexpr const char* kNuvexKey = "NUVEX";

void readPolylineSegment(Host& host, const PolylineGeom& polyline, int segment, EntityData& data) {
  int n = static_cast<int>(polyline.vertices.size());
  if (segment < 0 || segment >= segmentCount(polyline)) return;
  data.startPoint = vertexPoint(polyline, static_cast<size_t>(segment));
  data.endPoint = vertexPoint(polyline, static_cast<size_t>((segment + 1) % n));
  double bulge = polyline.vertices[static_cast<size_t>(segment)].bulge;
  if (isStraightBulge(bulge)) return;
  arcFromBulge(data.startPoint, data.endPoint, bulge, data.centre, data.radius);
  data.startAngle = radiansFromDegrees(angleDeg(host, data.centre, data.startPoint));
  data.endAngle = radiansFromDegrees(angleDeg(host, data.centre, data.endPoint));
  data.sweep = 4.0 * std::atan(bulge);
}

void readArc(Host& host, const ArcGeom& arc, EntityData& data) {
  data.centre = toPointRec(arc.center);
  data.startPoint = polarRad(data.centre, arc.startAngle, arc.radius);
  data.endPoint = polarRad(data.centre, arc.endAngle, arc.radius);
  data.startAngle = radiansFromDegrees(angleDeg(host, data.centre, data.startPoint));
  data.endAngle = radiansFromDegrees(angleDeg(host, data.centre, data.endPoint));
  data.radius = arc.radius;
  data.sweep = counterClockwiseSweep(data.startAngle, data.endAngle);
}

// The text shown for a dimension: its own text when that holds the
// measurement, else the measurement with five decimals.
std::string dimensionText(const DimensionGeom& dim) {
  char formatted[64];
  std::snprintf(formatted, sizeof formatted, "%.5f", dim.measurement);
  std::string measurement = formatted;
  if (!dim.text.empty() && upperAscii(dim.text).find(upperAscii(measurement)) != std::string::npos) {
    return utf8Cut(dim.text, kDimTextRoom);
  }
  return utf8Cut(measurement, kDimTextRoom);
}

void readMText(Host& host, const EntityRecord& record, const MTextGeom& mtext, EntityData& data) {
  data.text = utf8Cut(mtext.contents, kTextRoom);
  data.startPoint = toPointRec(mtext.location);
  data.rotationDeg = degreesFromRadians(mtext.rotation);
  // The actual size is the box of the text as it stands unrotated.
  EntityRecord unrotated = record;
  unrotated.as<MTextGeom>()->rotation = 0.0;
  Point3 lo, hi;
  if (host.getGeomExtents(unrotated, lo, hi) == RTNORM) {
    data.widthFactor = hi.x - lo.x;
    data.height = hi.y - lo.y;
  }
}

void readGeometry(Host& host, const EntityRef& ref, const EntityRecord& record, EntityData& data) {
  if (const auto* polyline = record.as<PolylineGeom>()) {
    data.elevation = polyline->elevation;
    data.thickness = polyline->thickness;
    if (polyline->closed) data.flags |= kFlagClosed;
    readPolylineSegment(host, *polyline, ref.segment, data);
  } else if (const auto* line = record.as<LineGeom>()) {
    data.startPoint = toPointRec(line->start);
    data.endPoint = toPointRec(line->end);
  } else if (const auto* arc = record.as<ArcGeom>()) {
    readArc(host, *arc, data);
  } else if (const auto* point = record.as<PointGeom>()) {
    data.startPoint = makePoint(point->position.x, point->position.y);
  } else if (const auto* circle = record.as<CircleGeom>()) {
    data.startPoint = toPointRec(circle->center);
    data.radius = circle->radius;
  } else if (const auto* text = record.as<TextGeom>()) {
    data.text = utf8Cut(text->text, kTextRoom);
    data.startPoint = toPointRec(text->position);
    data.widthFactor = text->widthFactor;
    data.height = text->height;
    data.rotationDeg = degreesFromRadians(text->rotation);
    data.obliqueDeg = degreesFromRadians(text->oblique);
    data.textWidth = text->height * text->widthFactor * static_cast<double>(utf8Length(data.text));
  } else if (const auto* mtext = record.as<MTextGeom>()) {
    readMText(host, record, *mtext, data);
  } else if (const auto* dim = record.as<DimensionGeom>()) {
    data.dimText = dimensionText(*dim);
    data.dimRotationDeg = degreesFromRadians(dim->textRotation);
    bool ordinate = dim->kind == DimKind::Ordinate;
    data.startPoint = toPointRec(ordinate ? dim->defPoint2 : dim->blockPosition);
    data.endPoint = toPointRec(ordinate ? dim->defPoint3 : dim->textPosition);
  }
}

}  // namespace

EntityKind recordKind(const EntityRecord& record) {
  switch (record.type()) {
    case EntityType::Polyline:
      return kKindPolyline;
    case EntityType::Point:
      return kKindPoint;
    case EntityType::Line:
      return kKindLine;
    case EntityType::Arc:
      return kKindArc;
    case EntityType::Circle:
      return kKindCircle;
    case EntityType::Text:
      return kKindText;
    case EntityType::MText:
      return kKindMText;
    default:
      break;
  }
  std::string className = entityClassName(record.type());
  if (wildcardMatch(className, "AcDb*Leader")) return kKindLeader;
  if (wildcardMatch(className, "AcDb*Hatch")) return kKindHatch;
  if (wildcardMatch(className, "AcDb*Dimension")) return kKindDimension;
  if (wildcardMatch(className, "AcDb3dSolid")) return kKindSolid3d;
  return kKindUnknown;
}

EntityKind classifyEntity(Host& host, const EntityRef& ref) {
  if (ref.segment != kWholeEntity) return ref.kind;
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return kKindUnknown;
  if (record.type() == EntityType::Polyline) {
    EntityRef tagged = findTag(host, ref, kNuvexKey);
    return tagged.valid == 1 && entityExists(host, tagged) ? kKindNuvexPolyline : kKindPolyline;
  }
  EntityKind kind = recordKind(record);
  if (kind == kKindUnknown && record.type() == EntityType::Insert) return kKindBlockRef;
  return kind;
}

EntityData readEntityData(Host& host, const EntityRef& ref) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return EntityData{};
  return readEntityData(host, ref, record);
}

EntityData readEntityData(Host& host, const EntityRef& ref, const EntityRecord& record) {
  EntityData data;
  if (ref.kind == kKindTag) {
    std::string key, value;
    if (readTagPair(record.xdata, ref.tagIndex, key, value)) {
      data.tagKey = key;
      data.tagValue = utf8Cut(value, kTagValueRoom);
    }
    return data;
  }
  data.colorIndex = record.color;
  LayerRecord layer;
  if (findLayerByName(host, record.layer, layer)) data.layerId = layer.id;
  data.linetypeId = equalIgnoringCase(record.linetype, "BYLAYER") ? kLinetypeByLayer
                                                                  : linetypeIdByName(host, record.linetype);
  readGeometry(host, ref, record, data);
  return data;
}

LineRec lineFromRef(Host& host, const EntityRef& ref) {
  if (ref.kind != kKindLine) return LineRec{};
  EntityData data = readEntityData(host, ref);
  return makeLine(data.startPoint, data.endPoint);
}

ArcRec arcFromRef(Host& host, const EntityRef& ref) {
  ArcRec arc;
  if (ref.kind != kKindArc) return arc;
  EntityData data = readEntityData(host, ref);
  arc.start = data.startPoint;
  arc.end = data.endPoint;
  arc.centre = data.centre;
  arc.radius = data.radius;
  arc.sweep = data.sweep;
  arc.startAngle = data.startAngle;
  arc.endAngle = data.endAngle;
  arc.valid = 1;
  return arc;
}

CircleRec circleFromRef(Host& host, const EntityRef& ref) {
  if (ref.kind != kKindCircle) return CircleRec{};
  EntityData data = readEntityData(host, ref);
  return makeCircle(data.startPoint, data.radius);
}

}  // namespace optgrind
