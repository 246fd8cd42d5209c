// DXF files: the standalone host's drawings on disk (written as AutoCAD 2000 DXF).
#pragma once

#include <string>

#include "standalone/model/drawing.h"
#include "standalone/model/outcome.h"

namespace optgrind::standalone {

// Reads the file into `out`. A file that is not a well-formed DXF is refused
// with a message; `out` is then left as it was. A drawing that opens may
// still carry a message: what it keeps without modelling, what it left out.
Outcome loadDxf(const std::string& path, Drawing& out);

// Writes the drawing: to a temporary name first, renamed into place once it
// is complete, so a failed save never damages an existing file.
Outcome saveDxf(const Drawing& drawing, const std::string& path);

}  // namespace optgrind::standalone
