// SPLINE and ELLIPSE records: their groups to geometry records and back.
// Both hold world coordinates whatever their normal says.
#pragma once

#include "host/host_types.h"
#include "standalone/dxf/dxf_out.h"
#include "standalone/dxf/dxf_raw_record.h"

namespace optgrind::standalone {

// The geometry of the record; false when the drawing cannot model it (a
// curve out of the XY plane, counts that disagree, only fit points), so
// that it is kept as it came.
bool rawSpline(const RawRecord& record, SplineGeom& out);
bool rawEllipse(const RawRecord& record, EllipseGeom& out);

// The groups after the entity's common ones.
void writeSplineBody(DxfOut& out, const SplineGeom& g);
void writeEllipseBody(DxfOut& out, const EllipseGeom& g);

}  // namespace optgrind::standalone
