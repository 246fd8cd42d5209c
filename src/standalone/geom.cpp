#include "standalone/geom.h"

namespace optgrind::standalone {

int closestPointTo(const EntityRecord&, const Point3&, bool, Point3&) { return RTERROR; }
int intersectWith(const EntityRecord&, const EntityRecord&, int, std::vector<Point3>&) { return RTERROR; }
int geomExtents(const Drawing&, const EntityRecord&, Point3&, Point3&) { return RTERROR; }

bool insideWindow(const Drawing&, const EntityRecord&, const Point3&, const Point3&) { return false; }
bool crossesWindow(const Drawing&, const EntityRecord&, const Point3&, const Point3&) { return false; }

}  // namespace optgrind::standalone
