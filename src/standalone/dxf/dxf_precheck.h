// The check of a DXF file before the parser sees it. The parser believes
// whatever it reads (counts it allocates for, numbers it cannot read, lines
// longer than its buffer), so a file goes to it only once this check passed.
#pragma once

#include <cstddef>
#include <string>

namespace optgrind::standalone {

// The longest line the parser reads whole, counting its CR and LF.
constexpr std::size_t kMaxDxfLineBytes = 1023;

// What the check learnt about a good file, to size the drawing up front.
struct DxfCensus {
  std::size_t fileBytes = 0;
  std::size_t entityRecords = 0;  // records of the ENTITIES section
};

// Empty when the file is an ASCII DXF the parser can read safely; otherwise
// why not, naming the file and the line.
std::string precheckDxf(const std::string& path, DxfCensus& census);

}  // namespace optgrind::standalone
