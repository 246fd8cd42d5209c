// PEDIT's join over one long profile of loose lines and arcs, drawn in a
// shuffled order and with the lines running either way, against loading the
// same drawing from a DXF file. The join runs inside a command, as PEDIT
// does, and is timed from the picked line turned into a polyline to the
// joined polyline with its pieces erased and the command's undo step
// recorded; copying the drawing before each run is not. The join keeps its
// working storage for the next one, so only the first run of the process
// pays the page faults of fresh buffers (the "page_faults" counter).
//
// Measured on the 2-core development machine (CPU time): see the report in
// README.md.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "page_faults.h"
#include "standalone/commands/cmd_join.h"
#include "standalone/dxf/dxf_io.h"
#include "standalone/model/drawing_history.h"
#include "standalone/model/geom_curves.h"

namespace {

using namespace optgrind;
using namespace optgrind::standalone;
namespace fs = std::filesystem;

// A profile of `count` pieces, lines and arcs by turns, always heading to
// larger x so that no two ends meet but those of neighbours.
Drawing profileDrawing(int count) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<EntityRecord> pieces;
  Point3 at{0, 0, 0};
  for (int i = 0; i < count; ++i) {
    EntityRecord e;
    e.layer = "PROFILE";
    if (i % 2 == 0) {
      Point3 to{at.x + 0.5 + unit(random), at.y + unit(random) - 0.5, 0};
      e.geom = unit(random) < 0.5 ? LineGeom{at, to, 0.0} : LineGeom{to, at, 0.0};
      at = to;
    } else {
      // Counter-clockwise from the bottom of the circle, a sixth of a turn
      // or less.
      double r = 0.5 + unit(random);
      double start = -M_PI / 2, end = start + (0.2 + unit(random)) * M_PI / 3;
      Point3 center{at.x, at.y + r, 0};
      e.geom = ArcGeom{center, r, start, end, 0.0};
      at = pointOnCircle(center, r, end);
    }
    pieces.push_back(std::move(e));
  }
  std::shuffle(pieces.begin(), pieces.end(), random);
  Drawing d = newDrawing();
  ensureLayer(d, "PROFILE");
  for (const EntityRecord& e : pieces) appendEntity(d, e);
  return d;
}

struct Profiles {
  static Profiles& get() {
    static Profiles profiles;
    return profiles;
  }
  const Drawing& drawing(int count) {
    auto it = drawings.find(count);
    if (it == drawings.end()) it = drawings.emplace(count, profileDrawing(count)).first;
    return it->second;
  }
  const std::string& file(int count) {
    auto it = files.find(count);
    if (it != files.end()) return it->second;
    std::string path = (dir / ("profile_" + std::to_string(count) + ".dxf")).string();
    if (!saveDxf(drawing(count), path).ok) std::abort();
    return files[count] = path;
  }
  ~Profiles() { fs::remove_all(dir); }

 private:
  Profiles() {
    std::string pattern = (fs::temp_directory_path() / "bench_join_XXXXXX").string();
    dir = mkdtemp(pattern.data());
  }
  fs::path dir;
  std::map<int, Drawing> drawings;
  std::map<int, std::string> files;
};

void BM_Join(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  const Drawing& source = Profiles::get().drawing(count);
  std::vector<long long> ids;
  for (const DrawingEntity& e : source.entities) ids.push_back(e.id);
  long faults = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto d = std::make_unique<Drawing>(source);
    // A copy has no room to grow, as a loaded drawing has; the join's two
    // new places are made here.
    d->entities.reserve(d->entities.size() + 2);
    beginCommand(*d, "PEDIT");
    long faultsBefore = pageFaults();
    state.ResumeTiming();
    long long picked = turnIntoPolyline(*d, ids.front());
    int joined = joinToPolyline(*d, picked, ids);
    endCommand(*d);
    state.PauseTiming();
    faults += pageFaults() - faultsBefore;
    if (joined != count - 1) state.SkipWithError("the profile did not join into one polyline");
    d.reset();
    state.ResumeTiming();
  }
  state.counters["page_faults"] =
      benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

void BM_LoadSameDrawing(benchmark::State& state) {
  const std::string& path = Profiles::get().file(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto d = std::make_unique<Drawing>();
    Outcome r = loadDxf(path, *d);
    if (!r.ok) state.SkipWithError(r.message.c_str());
    benchmark::DoNotOptimize(d->entities.data());
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_Join)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSameDrawing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
