#include "standalone/dxf/dxf_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <vector>

#include "host/file_replace.h"
#include "standalone/dxf/dxf_precheck.h"
#include "standalone/dxf/dxf_reader.h"
#include "standalone/dxf/dxf_writer.h"

namespace optgrind::standalone {
namespace {

// The drawing's text, written by the DXF writer through a scratch file of
// the system's temporary folder.
std::string dxfText(const Drawing& drawing, std::string& fault) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/optgrind-dxf-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) {
    fault = std::strerror(errno);
    return std::string();
  }
  close(fd);
  std::string scratch(name.data());
  fault = writeDxfFile(drawing, scratch);
  std::string text;
  if (fault.empty()) {
    std::ifstream in(scratch, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    if (!in.good() && !in.eof()) fault = "the written drawing could not be read back";
  }
  std::remove(scratch.c_str());
  return text;
}

}  // namespace

Outcome loadDxf(const std::string& path, Drawing& out) {
  DxfCensus census;
  std::string fault = precheckDxf(path, census);
  if (!fault.empty()) return Outcome::failure(fault);
  try {
    Drawing drawing = newDrawing();
    Outcome r = readCheckedDxf(path, census, drawing);
    if (!r.ok) return r;
    out = std::move(drawing);
    return r;
  } catch (const std::bad_alloc&) {
    return Outcome::failure("not enough memory to read the drawing", path);
  }
}

Outcome saveDxf(const Drawing& drawing, const std::string& path) {
  if (path.empty() || path.back() == '/')
    return Outcome::failure("cannot write a drawing to '" + path + "': not a file name");
  std::string fault;
  std::string text;
  try {
    text = dxfText(drawing, fault);
  } catch (const std::bad_alloc&) {
    fault = "not enough memory";
  }
  if (fault.empty() && replaceFile(path, text) != kReplaceWritten) {
    fault = "the file is read-only, or its folder is missing or cannot be written";
  }
  if (!fault.empty()) return Outcome::failure("cannot write " + path + ": " + fault);
  return Outcome::success();
}

}  // namespace optgrind::standalone
