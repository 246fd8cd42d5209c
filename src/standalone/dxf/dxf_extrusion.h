// Entities stored in their own coordinate system: the extrusion direction
// (groups 210/220/230) says which. The drawing holds world coordinates, so
// an entity seen from below (normal 0,0,-1, as mirrored parts are often
// written) is turned into the same shape drawn from above.
#pragma once

#include "host/host_types.h"
#include "standalone/dxf/dxf_raw_record.h"

namespace optgrind::standalone {

enum class Extrusion {
  Up,      // (0,0,1): own coordinates are world coordinates
  Down,    // (0,0,-1): x and z change sign
  Tilted,  // anything else: not a drawing in the XY plane
};

Extrusion extrusionOf(const RawRecord& record);

// From the coordinates of an entity seen from below to world coordinates.
Point3 mirrorPoint(const Point3& p);
double mirrorAngle(double radians);
void mirrorArc(ArcGeom& arc);
void mirrorVertex(PolyVertex& v);
void mirrorPolyline(PolylineGeom& polyline);
void mirrorInsert(InsertGeom& insert);

}  // namespace optgrind::standalone
