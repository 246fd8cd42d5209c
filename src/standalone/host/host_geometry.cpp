// StandaloneHost: the geometry operations, answered by the geometry library.
#include "standalone/host/standalone_host.h"
#include "standalone/model/geom.h"

namespace optgrind::standalone {

int StandaloneHost::getClosestPointTo(const EntityRecord& curve, const Point3& given, bool extend,
                                      Point3& out) {
  return closestPointTo(curve, given, extend, out);
}

int StandaloneHost::intersectWith(const EntityRecord& a, const EntityRecord& b, int extend,
                                  std::vector<Point3>& out) {
  return standalone::intersectWith(a, b, extend, out);
}

int StandaloneHost::getGeomExtents(const EntityRecord& entity, Point3& min, Point3& max) {
  return geomExtents(session_.drawing, entity, min, max);
}

}  // namespace optgrind::standalone
