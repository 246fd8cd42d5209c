// Writing one entity record as a DXF (AutoCAD 2000) entity.
#pragma once

#include <string>

#include "host/host_types.h"
#include "standalone/dxf/dxf_handle_map.h"
#include "standalone/dxf/dxf_out.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

struct EntityHandles {
  unsigned long self = 0;
  unsigned long owner = 0;  // the block record of the space or block holding it
  bool paperSpace = false;
};

// `dimensionBlock` is the geometry block written for a dimension (the
// drawing's own name when it has one); `extra` the groups it carried beyond
// the model, or null, whose links go through `links`.
void writeEntity(DxfOut& out, const EntityRecord& e, const EntityHandles& h,
                 const std::string& dimensionBlock, const ExtraGroups* extra, const HandleMap& links);

// Whether a linetype name means "by layer" (written by leaving it out).
bool isByLayerLinetype(const std::string& name);

}  // namespace optgrind::standalone
