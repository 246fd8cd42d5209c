// linear_feed events through a typical section (a modal G word, modal X
// and Y, a line end) against writing the same NC bytes, one line per event,
// through the same file sink with no interpretation.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "post/executor.h"
#include "post/keywords.h"
#include "post/post_state.h"
#include "post/program_load.h"
#include "post/settings_scan.h"
#include "standalone/host/standalone_host.h"

namespace {

using namespace optgrind;

constexpr const char* kWcf =
    "VARIABLE G = G2 ,MODAL\n"
    "VARIABLE X = X-1.3 ,MODAL\n"
    "VARIABLE Y = Y-1.3 ,MODAL\n"
    "linear_feed =\n"
    "  G01 @X @Y $\n"
    "program_end =\n";

// The points of the path: a cycle long enough that every event writes X and Y.
constexpr int kPoints = 1024;

struct Bench {
  std::istringstream in;
  std::ostringstream out;
  standalone::Console console{in, out, false};
  standalone::StandaloneHost host{console, {}};
  std::FILE* file = std::tmpfile();
  FileNcSink fileSink{file};

  Bench() {
    resetPostState();
    scanWcfSettings(host, kWcf, "bench.wcf");
    loadWcfProgram(host, kWcf, "bench.wcf");
  }
  ~Bench() {
    setNcSink(nullptr);
    std::fclose(file);
  }
  static double x(int i) { return 10.0 + 0.125 * i; }
  static double y(int i) { return 5.0 - 0.0625 * i; }
};

void BM_LinearFeedInterpreted(benchmark::State& state) {
  Bench bench;
  setNcSink(&bench.fileSink);
  int i = 0;
  for (auto _ : state) {
    postVariable(kVarX).current = Bench::x(i);
    postVariable(kVarY).current = Bench::y(i);
    runEvent(bench.host, kEvLinearFeed);
    i = (i + 1) % kPoints;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LinearFeedInterpreted);

void BM_LinearFeedBareWrite(benchmark::State& state) {
  Bench bench;
  // The NC lines the interpreter writes, one string per event.
  StringNcSink collect;
  setNcSink(&collect);
  std::vector<std::string> lines;
  for (int i = 0; i < kPoints; ++i) {
    collect.clear();
    postVariable(kVarX).current = Bench::x(i);
    postVariable(kVarY).current = Bench::y(i);
    runEvent(bench.host, kEvLinearFeed);
    lines.push_back(collect.text());
  }
  setNcSink(nullptr);
  int i = 0;
  for (auto _ : state) {
    bench.fileSink.write(lines[static_cast<size_t>(i)]);
    i = (i + 1) % kPoints;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LinearFeedBareWrite);

}  // namespace

BENCHMARK_MAIN();
