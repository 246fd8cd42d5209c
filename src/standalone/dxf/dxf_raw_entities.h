// Entity geometry taken from a record's group pairs where the parser drops
// values (dimension details, hatch boundaries, vertex widths) or does not
// know the entity at all (3D solids).
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/dxf/dxf_raw_record.h"

namespace optgrind::standalone {

DimensionGeom rawDimension(const RawRecord& record);
HatchGeom rawHatch(const RawRecord& record);
Solid3dGeom rawSolid3d(const RawRecord& record);

// A lightweight polyline's vertices as its groups list them (x, y, widths,
// bulge).
std::vector<PolyVertex> rawLwVertices(const RawRecord& record);

// Multi-line text: the 3 chunks followed by the 1 group.
std::string rawMTextContents(const RawRecord& record);

// Multi-line text rotation in radians: the 50 angle, or the direction of
// the 11/21 vector.
double rawMTextRotation(const RawRecord& record);

// The number of 10 groups of a record (vertices of a polyline or leader).
std::size_t rawVertexCount(const RawRecord& record);

}  // namespace optgrind::standalone
