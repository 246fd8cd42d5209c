// libFuzzer target: the input is a WCF file. It goes through the settings
// scan and the program load, then every event code runs once.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "post/executor.h"
#include "post/post_state.h"
#include "post/program_load.h"
#include "post/settings_scan.h"
#include "post/wcf_file.h"
#include "standalone/host/standalone_host.h"

namespace {

// Keeps one input's worst case short: 120 events of at most this many tokens.
constexpr long kFuzzTokenLimit = 20000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace optgrind;
  std::istringstream answers;
  std::ostringstream messages;
  standalone::Console console(answers, messages, false);
  standalone::StandaloneHost host(console, {});
  StringNcSink sink;

  resetPostState();
  interp().tokenLimit = kFuzzTokenLimit;
  setNcSink(&sink);
  std::string wcf = textModeRead(std::string(reinterpret_cast<const char*>(data), size));
  scanWcfSettings(host, wcf, "fuzz.wcf");
  loadWcfProgram(host, wcf, "fuzz.wcf");
  for (int code = 0; code < kEventTableSize; ++code) {
    postVariable(kVarX).current = 1.5 * code;
    postVariable(kVarY).current = -0.25 * code;
    postVariable(kVarI).current = 3.0;
    postVariable(kVarJ).current = -4.0;
    setCoordSystem(code % 2);
    runEvent(host, code);
  }
  setNcSink(nullptr);
  return 0;
}
