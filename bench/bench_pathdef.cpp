// A whole path definition, from the origin prompt to the stored path, on a
// closed profile of loose lines and arcs (the join included) with 100
// lifts, against loading the same drawing from DXF. The profile is a circle
// cut into n pieces, chords and arcs in turn; the start and the tool points
// lie in the middle of chords, in running order.
//
// Measured on the 2-core development machine (CPU time, Release): see the
// report in README.md. What remains is mostly one copy of the path, and the
// boxes of its runs of segments found again, for each break, and the start:
// the join of the loose pieces and the direction arrows drawn and erased
// once per piece.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "host/messages.h"
#include "page_faults.h"
#include "pathdef/path_definition.h"
#include "pathdef/pathdef_state.h"
#include "standalone/dxf/dxf_io.h"
#include "standalone/host/standalone_host.h"

namespace {

using namespace optgrind;
using namespace optgrind::standalone;
namespace fs = std::filesystem;

constexpr double kPi = 3.141592653589793;
constexpr int kLifts = 100;
// Each piece is about this long.
constexpr double kPieceLength = 0.6;

struct Profile {
  int n = 0;
  double radius = 0.0;
  double angle(int i) const { return 2.0 * kPi * i / n - kPi / 2.0; }
  Point3 at(double a) const { return {radius * std::cos(a), radius + radius * std::sin(a), 0.0}; }
  // The middle of chord i (i even).
  std::string chordMiddle(int i) const {
    Point3 a = at(angle(i)), b = at(angle(i + 1));
    std::ostringstream s;
    s.precision(17);
    s << (a.x + b.x) / 2 << "," << (a.y + b.y) / 2;
    return s.str();
  }
};

Profile profileOf(int n) { return Profile{n, n * kPieceLength / (2.0 * kPi)}; }

Drawing profileDrawing(const Profile& p) {
  Drawing d = newDrawing();
  for (int i = 0; i < p.n; ++i) {
    EntityRecord e;
    e.layer = "PROFILE";
    if (i % 2 == 0) {
      e.geom = LineGeom{p.at(p.angle(i)), p.at(p.angle(i + 1)), 0.0};
    } else {
      e.geom = ArcGeom{{0, p.radius, 0}, p.radius, p.angle(i), p.angle(i + 1), 0.0};
    }
    appendEntity(d, e);
  }
  return d;
}

// Origin, start on the first chord, join everything, keep the direction,
// then 100 tool-up and 99 tool-down points spread round the profile.
std::string answers(const Profile& p) {
  std::string a = "0,0\n" + p.chordMiddle(0) + "\nALL\n\nN\n";
  int points = 2 * kLifts - 1;
  int chords = p.n / 2;
  int step = (chords - 1) / (points + 1);
  for (int j = 1; j <= points; ++j) a += p.chordMiddle(2 * j * step) + "\n";
  return a + "\n";
}

struct Files {
  fs::path dir;
  Files() {
    std::string pattern = (fs::temp_directory_path() / "optgrind-bench-XXXXXX").string();
    dir = mkdtemp(pattern.data()) ? pattern : std::string();
    fs::create_directories(dir / "DAT");
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  std::string drawing(int n) {
    fs::path path = dir / ("profile" + std::to_string(n) + ".dxf");
    if (!fs::exists(path) && !saveDxf(profileDrawing(profileOf(n)), path.string()).ok) std::abort();
    return path.string();
  }
};

Files& files() {
  static Files f;
  return f;
}

void BM_LoadProfile(benchmark::State& state) {
  std::string path = files().drawing(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto d = std::make_unique<Drawing>();
    if (!loadDxf(path, *d).ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(d->entities.size());
    // Given back outside the timing, as the definition's host is.
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}

void BM_DefinePath(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  Profile p = profileOf(n);
  Drawing loaded;
  if (!loadDxf(files().drawing(n), loaded).ok) state.SkipWithError("load failed");
  std::string script = answers(p);
  setLanguageProvider([](Host&) { return kLangEnglish; });
  int lifts = 0;
  long faults = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::istringstream in(script);
    std::ostringstream out;
    Console console(in, out, false);
    // Made and given back outside the timing: the definition is timed, not
    // the host's set-up and tear-down.
    auto host = std::make_unique<StandaloneHost>(console, StandaloneOptions{files().dir.string()});
    host->setDrawing(loaded);
    resetPathDefState();
    long faultsBefore = pageFaults();
    state.ResumeTiming();
    int rc = runPathDefinition(*host);
    state.PauseTiming();
    faults += pageFaults() - faultsBefore;
    if (rc != kStepDone) {
      std::string text = out.str();
      std::fprintf(stderr, "%s\n", text.substr(text.size() > 3000 ? text.size() - 3000 : 0).c_str());
      state.SkipWithError("the definition did not end with a path");
      break;
    }
    lifts = pathDefState().upCount;
    host.reset();
    state.ResumeTiming();
  }
  state.counters["lifts"] = lifts;
  state.counters["page_faults"] =
      benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_LoadProfile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefinePath)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
