#include "standalone/dxf_io.h"

namespace optgrind::standalone {

DxfResult loadDxf(const std::string& path, Drawing&) { return {false, "cannot read DXF yet: " + path}; }

DxfResult saveDxf(const Drawing&, const std::string& path) { return {false, "cannot write DXF yet: " + path}; }

}  // namespace optgrind::standalone
