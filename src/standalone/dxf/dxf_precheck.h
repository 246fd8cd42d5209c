// The check of a DXF file before the reader sees it: well-formed groups,
// numbers where numbers belong, closed sections, declared counts that fit.
// A file goes to the reader only once this check passed, so a refused file
// never touches the drawing.
#pragma once

#include <cstddef>
#include <string>

namespace optgrind::standalone {

// What the check learnt about a good file, to size the drawing up front.
struct DxfCensus {
  std::size_t fileBytes = 0;
  std::size_t entityRecords = 0;  // records of the ENTITIES section
};

// Empty when the file is an ASCII DXF the parser can read safely; otherwise
// why not, naming the file and the line.
std::string precheckDxf(const std::string& path, DxfCensus& census);

}  // namespace optgrind::standalone
