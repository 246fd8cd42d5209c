// Reading a checked DXF file into a drawing: our own group tokenizer, each
// record dispatched by its type once its last group is in.
#pragma once

#include <string>

#include "standalone/dxf/dxf_precheck.h"
#include "standalone/model/drawing.h"
#include "standalone/model/outcome.h"

namespace optgrind::standalone {

// Parses a file that passed precheckDxf into `out` (a fresh drawing). On
// success the message says what the drawing keeps without modelling it and
// what it could not keep (empty when neither).
Outcome readCheckedDxf(const std::string& path, const DxfCensus& census, Drawing& out);

}  // namespace optgrind::standalone
