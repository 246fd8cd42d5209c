// Reading a checked DXF file into a drawing through the DXF parser.
#pragma once

#include <string>

#include "standalone/dxf/dxf_precheck.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

struct DxfReadResult {
  bool ok = false;
  std::string message;  // why it failed; or, on success, what was left out
};

// Parses a file that passed precheckDxf into `out` (a fresh drawing).
DxfReadResult readCheckedDxf(const std::string& path, const DxfCensus& census, Drawing& out);

}  // namespace optgrind::standalone
