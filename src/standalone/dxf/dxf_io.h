// DXF files: the standalone host's drawings on disk (AutoCAD 2000 DXF).
#pragma once

#include <string>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

struct DxfResult {
  bool ok = false;
  std::string message;  // why the file was refused or not written
};

// Reads the file into `out`. A file that is not a well-formed DXF is refused
// with a message; `out` is then left as it was.
DxfResult loadDxf(const std::string& path, Drawing& out);

// Writes the drawing: to a temporary name first, renamed into place once it
// is complete, so a failed save never damages an existing file.
DxfResult saveDxf(const Drawing& drawing, const std::string& path);

}  // namespace optgrind::standalone
