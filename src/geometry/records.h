// The plain value records of the profile geometry: points, references to
// drawing entities or single polyline segments, the kinds of what they
// reference, and the line, arc and circle element records.
#pragma once

#include <vector>

#include "host/host_types.h"

namespace optgrind {

// A point in drawing units. `set` is 1 once the point was given a value.
struct PointRec {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  int set = 0;
};

// A point made from coordinates always counts as set.
inline PointRec makePoint(double x, double y, double z = 0.0) { return PointRec{x, y, z, 1}; }
inline PointRec toPointRec(const Point3& p) { return makePoint(p.x, p.y, p.z); }
inline Point3 toPoint3(const PointRec& p) { return Point3{p.x, p.y, p.z}; }

// The kinds of referenced things, as they are stored in path records and
// compared throughout. The numbers are part of the stored data.
using EntityKind = int;
constexpr EntityKind kKindUnknown = -1;
constexpr EntityKind kKindPolyline = 0;  // whole lightweight polyline
constexpr EntityKind kKindPoint = 1;
constexpr EntityKind kKindLine = 2;  // line, or straight polyline segment
constexpr EntityKind kKindArc = 3;   // arc, or curved polyline segment
constexpr EntityKind kKindCircle = 4;
constexpr EntityKind kKindText = 6;  // single-line text
constexpr EntityKind kKindBlockRef = 7;
constexpr EntityKind kKindDimension = 9;
constexpr EntityKind kKindSolid3d = 10;
constexpr EntityKind kKindTag = 11;            // a text pair in "my_tag" data
constexpr EntityKind kKindNuvexPolyline = 13;  // whole polyline tagged "NUVEX"
constexpr EntityKind kKindHatch = 14;
constexpr EntityKind kKindLeader = 15;
constexpr EntityKind kKindMText = 17;

// A whole lightweight polyline, tagged or not.
inline bool isWholePolylineKind(EntityKind kind) {
  return kind == kKindPolyline || kind == kKindNuvexPolyline;
}

constexpr int kWholeEntity = -1;  // segment index of a reference to the whole entity
constexpr int kNoTag = -1;        // tag index of a reference to no tag pair

// A reference to a drawing entity, to one segment of a lightweight polyline
// (segment i runs from vertex i to vertex i + 1, the closing segment back to
// vertex 0) or to one tag pair of the entity. A new reference is empty: name
// 0/0. References are equal when they name the same entity, segment and tag
// pair; point, kind and valid are not compared.
struct EntityRef {
  PointRec point;
  EntityName name{0, 0};
  int segment = kWholeEntity;
  int tagIndex = kNoTag;
  EntityKind kind = kKindUnknown;
  int valid = 0;

  bool operator==(const EntityRef& other) const {
    return name == other.name && segment == other.segment && tagIndex == other.tagIndex;
  }
  bool operator!=(const EntityRef& other) const { return !(*this == other); }
};

// The empty entry of an entity list: name -1/-1 (not 0/0 as a new reference).
inline EntityRef emptyListEntry() {
  EntityRef ref;
  ref.name = EntityName{-1, -1};
  return ref;
}

// A reference to the whole entity of `name`, valid.
inline EntityRef wholeEntityRef(const EntityName& name, EntityKind kind = kKindUnknown) {
  EntityRef ref;
  ref.name = name;
  ref.kind = kind;
  ref.valid = 1;
  return ref;
}

struct LineRec {
  PointRec start;
  PointRec end;
  int valid = 0;
};

// Angles in radians; the sweep is signed (negative = clockwise).
struct ArcRec {
  PointRec start;
  PointRec end;
  PointRec centre;
  double radius = 0.0;
  double sweep = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  int valid = 0;
};

struct CircleRec {
  PointRec centre;
  double radius = 0.0;
  int valid = 0;
};

inline LineRec makeLine(const PointRec& start, const PointRec& end) { return LineRec{start, end, 1}; }
inline CircleRec makeCircle(const PointRec& centre, double radius) { return CircleRec{centre, radius, 1}; }

// A list of references. Its size is its capacity; unused places are empty
// entries (valid 0, name -1/-1). An empty vector is the null list.
using EntityRefList = std::vector<EntityRef>;

// A new list of `capacity` empty entries.
inline EntityRefList makeEntityRefList(size_t capacity) { return EntityRefList(capacity, emptyListEntry()); }

}  // namespace optgrind
