// libFuzzer target: the input is a DXF file. It goes through the whole load
// (the checks, then the reader); a drawing that loads is saved again and the
// saved file loaded once more, so the writer sees every shape the reader
// accepts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "standalone/dxf/dxf_io.h"

namespace {

// One scratch folder for the whole run: inputs go through files, as the
// loader reads them.
const std::string& scratchDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/fuzz_dxf_XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return dir;
}

bool writeInput(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace optgrind::standalone;
  const std::string input = scratchDir() + "/input.dxf";
  const std::string saved = scratchDir() + "/saved.dxf";
  if (!writeInput(input, data, size)) return 0;
  Drawing drawing = newDrawing();
  if (!loadDxf(input, drawing).ok) return 0;
  if (!saveDxf(drawing, saved).ok) return 0;
  Drawing again = newDrawing();
  if (!loadDxf(saved, again).ok) __builtin_trap();  // what we write, we must read
  return 0;
}
