// What a selection takes from the drawing, the same for the system's
// acedSSGet modes and for the user's answers at "Select objects:".
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/model/drawing.h"
#include "standalone/model/filter_list.h"

namespace optgrind::standalone {

enum class SelectRegion {
  All,       // every live entity, on layers that are off or frozen too
  Window,    // the shown entities lying inside the window
  Crossing,  // the shown entities inside or crossing the window
};

// The ids of the live entities of the region that the filter accepts, in
// drawing order. The window runs between corners a and b in the XY plane;
// their Z plays no part. All ignores the corners.
std::vector<long long> selectEntities(const Drawing& d, const CompiledFilter& filter, SelectRegion region,
                                      const Point3& a = Point3{}, const Point3& b = Point3{});

// The ids among `ids` that are still live and that the filter accepts, in
// their order: what the previous selection selects now.
std::vector<long long> stillSelected(const Drawing& d, const CompiledFilter& filter,
                                     const std::vector<long long>& ids);

}  // namespace optgrind::standalone
