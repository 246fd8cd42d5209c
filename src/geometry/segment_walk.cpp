#include "geometry/segment_walk.h"

#include <utility>

#include "host/angles.h"

namespace optgrind {
namespace {

EntityRef walkedReference(const EntityRef& from, const PolylineGeom& polyline, int segment) {
  EntityRef ref = from;
  ref.segment = segment;
  ref.tagIndex = kNoTag;
  ref.kind = segmentKind(polyline, segment);
  ref.valid = 1;
  return ref;
}

}  // namespace

bool readPolyline(Host& host, const EntityName& name, PolylineGeom& out) {
  EntityRecord record;
  if (host.acdbEntGet(name, record) != RTNORM) return false;
  PolylineGeom* polyline = record.as<PolylineGeom>();
  if (!polyline) return false;
  out = std::move(*polyline);
  return true;
}

int lastSegmentIndex(const PolylineGeom& polyline) {
  int n = static_cast<int>(polyline.vertices.size());
  return polyline.closed ? n - 1 : n - 2;
}

int segmentCount(const PolylineGeom& polyline) {
  int n = static_cast<int>(polyline.vertices.size());
  if (n == 0) return 0;
  return polyline.closed ? n : n - 1;
}

EntityKind segmentKind(const PolylineGeom& polyline, int segment) {
  if (segment < 0 || segment >= static_cast<int>(polyline.vertices.size())) return kKindUnknown;
  return isStraightBulge(polyline.vertices[static_cast<size_t>(segment)].bulge) ? kKindLine : kKindArc;
}

EntityRef nextSegment(Host& host, const EntityRef& ref) {
  PolylineGeom polyline;
  if (!readPolyline(host, ref.name, polyline)) return EntityRef{};
  int n = static_cast<int>(polyline.vertices.size());
  int last = lastSegmentIndex(polyline);
  if (n < 2 || (!polyline.closed && ref.segment >= last)) return EntityRef{};
  return walkedReference(ref, polyline, (ref.segment + 1) % n);
}

EntityRef previousSegment(Host& host, const EntityRef& ref) {
  PolylineGeom polyline;
  if (!readPolyline(host, ref.name, polyline)) return EntityRef{};
  int n = static_cast<int>(polyline.vertices.size());
  int last = lastSegmentIndex(polyline);
  if (n < 2 || (!polyline.closed && ref.segment == 0)) return EntityRef{};
  int segment = ref.segment - 1;
  // A reference beyond the last segment steps back onto it.
  if (segment < 0 || segment > last) segment = last;
  return walkedReference(ref, polyline, segment);
}

}  // namespace optgrind
