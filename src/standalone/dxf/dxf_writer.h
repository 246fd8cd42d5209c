// Writing a drawing as an AutoCAD 2000 (AC1015) DXF file.
#pragma once

#include <string>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// Writes the whole file at `file` (replacing it); empty when it worked,
// otherwise why not.
std::string writeDxfFile(const Drawing& drawing, const std::string& file);

}  // namespace optgrind::standalone
