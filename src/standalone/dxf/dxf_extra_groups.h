// The groups a modelled entity carries beyond what the drawing models: taken
// apart on reading, written back around the model's own groups.
#pragma once

#include <string_view>

#include "standalone/dxf/dxf_handle_map.h"
#include "standalone/dxf/dxf_out.h"
#include "standalone/dxf/dxf_raw_record.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// What reading the extra groups could not keep, for the load message.
struct ExtraGroupLosses {
  long long modelDetails = 0;  // groups of a type written back in another form
};

// The record's groups that the model does not own, by part. `writtenAs` is
// the DXF type the entity is written back as: the body's groups are kept
// only when it is the record's own type and the type's own groups are known.
ExtraGroups splitExtraGroups(const RawRecord& record, std::string_view writtenAs, ExtraGroupLosses& losses);

enum class ExtraPart { Head, Common, Body };

// Writes one part with its links mapped; a true colour is left out once the
// entity's colour is no longer the one it came with.
void writeExtraGroups(DxfOut& out, const ExtraGroups& extra, ExtraPart part, int color,
                      const HandleMap& links);

}  // namespace optgrind::standalone
