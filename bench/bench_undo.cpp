// What the undo history costs: 1,000 commands on a drawing of 100,000 lines,
// each adding a line or moving one line through the host's entity calls,
// with every command recorded as an undo step and without the history.
// One iteration runs all 1,000 commands on the same drawing.
#include <benchmark/benchmark.h>

#include <sstream>

#include "standalone/host/standalone_host.h"
#include "standalone/model/drawing_history.h"

namespace {

using namespace optgrind;
using namespace optgrind::standalone;

constexpr int kDrawingLines = 100000;
constexpr int kCommands = 1000;

Drawing drawingOfLines() {
  Drawing d = newDrawing();
  for (int i = 0; i < kDrawingLines; ++i) {
    EntityRecord e;
    e.geom = LineGeom{{double(i), 0, 0}, {double(i), 1, 0}, 0.0};
    appendEntity(d, e);
  }
  return d;
}

// One command: even ones add a line, odd ones move one of the drawing's lines.
void runCommand(StandaloneHost& host, int i) {
  if (i % 2 == 0) {
    EntityRecord e;
    e.geom = LineGeom{{double(i), 2, 0}, {double(i), 3, 0}, 0.0};
    EntityName made;
    host.acdbEntMake(e, made);
    return;
  }
  EntityName name{1 + (i * 97) % kDrawingLines, host.drawing().serial};
  EntityRecord r;
  host.acdbEntGet(name, r);
  r.as<LineGeom>()->end.y += 1.0;
  host.acdbEntMod(name, r);
}

void BM_Commands(benchmark::State& state) {
  bool recorded = state.range(0) != 0;
  std::istringstream in;
  std::ostringstream out;
  Console console(in, out, true);
  StandaloneHost host(console, {});
  host.setDrawing(drawingOfLines());
  for (auto _ : state) {
    for (int i = 0; i < kCommands; ++i) {
      if (recorded) beginCommand(host.drawing(), "EDIT");
      runCommand(host, i);
      if (recorded) endCommand(host.drawing());
    }
  }
  state.counters["steps"] = double(undoableCount(host.drawing()));
  state.counters["history_bytes"] = double(historyBytes(host.drawing()));
  state.SetLabel(recorded ? "with history" : "without history");
}
BENCHMARK(BM_Commands)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
