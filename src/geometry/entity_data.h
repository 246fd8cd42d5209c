// The full property record of one entity or polyline segment, read from
// the drawing and written back, and the element records made from it.
#pragma once

#include <string>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// Room of the record's texts, in characters.
constexpr size_t kTextRoom = 127;
constexpr size_t kDimTextRoom = 39;
constexpr size_t kTagValueRoom = 255;

constexpr int kFlagClosed = 1;        // flags bit 0: the polyline is closed
constexpr int kLinetypeByLayer = -1;  // linetypeId of an entity drawn ByLayer

// Members that a kind does not use keep what they held.
struct EntityData {
  int flags = 0;
  int linetypeId = kLinetypeByLayer;
  int layerId = 0;
  int colorIndex = -1;  // -1: the entity could not be read
  PointRec startPoint;
  PointRec endPoint;
  PointRec centre;
  double radius = 0.0;
  double sweep = 0.0;  // arc: counter-clockwise in [0, 2*pi); curved segment: signed
  double startAngle = 0.0;
  double endAngle = 0.0;
  double elevation = 0.0;
  double thickness = 0.0;
  double widthFactor = 0.0;  // multi-line text: its actual width
  double height = 0.0;
  double rotationDeg = 0.0;
  double obliqueDeg = 0.0;
  double textWidth = 0.0;
  std::string text;     // up to kTextRoom characters
  std::string dimText;  // up to kDimTextRoom characters
  double dimRotationDeg = 0.0;
  std::string tagKey;
  std::string tagValue;  // up to kTagValueRoom characters
};

// The kind of an entity by its type alone: no tag test, block references
// unknown.
EntityKind recordKind(const EntityRecord& record);
// The kind of what ref names; a segment reference keeps its stored kind.
EntityKind classifyEntity(Host& host, const EntityRef& ref);
EntityData readEntityData(Host& host, const EntityRef& ref);
// The same from the entity's record, already read: callers that hold a
// long polyline's record read it once.
EntityData readEntityData(Host& host, const EntityRef& ref, const EntityRecord& record);
// Writes data back to the entity (or its segment or tag pair); locked layers
// are unlocked for the write. RTNORM when the host took the change.
int writeEntityData(Host& host, const EntityRef& ref, const EntityData& data);
// The same onto the entity's record as just read, which it takes.
int writeEntityData(Host& host, const EntityRef& ref, const EntityData& data, EntityRecord record);

// Element records of a reference of the right kind (2 line, 3 arc, 4 circle).
LineRec lineFromRef(Host& host, const EntityRef& ref);
ArcRec arcFromRef(Host& host, const EntityRef& ref);
CircleRec circleFromRef(Host& host, const EntityRef& ref);

}  // namespace optgrind
