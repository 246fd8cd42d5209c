// PEDIT's conversion of a spline into arcs and lines within ARCFITTOL: a
// cubic spline of 1,000 control points along a wavy profile, clamped at
// both ends. The counter is the number of segments the fit makes.
//
// Measured on the 2-core development machine (CPU time): see the report in
// README.md.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "standalone/model/biarc_fit.h"

namespace {

using namespace optgrind;
using namespace optgrind::standalone;

EntityRecord wavySpline(int controlPoints) {
  constexpr int kDegree = 3;
  std::mt19937 random(4711);
  std::uniform_real_distribution<double> jitter(-0.5, 0.5);
  SplineGeom g;
  g.degree = kDegree;
  for (int i = 0; i < controlPoints; ++i) {
    g.controlPoints.push_back({2.0 * i, 20.0 * std::sin(i * 0.05) + jitter(random), 0.0});
  }
  // Clamped and uniform: the curve starts and ends at the end control points.
  const int spans = controlPoints - kDegree;
  for (int i = 0; i < controlPoints + kDegree + 1; ++i) {
    g.knots.push_back(std::clamp(i - kDegree, 0, spans));
  }
  EntityRecord e;
  e.geom = g;
  return e;
}

void BM_SplineToArcs(benchmark::State& state) {
  const EntityRecord spline = wavySpline(static_cast<int>(state.range(0)));
  size_t segments = 0;
  for (auto _ : state) {
    PolylineGeom pl;
    benchmark::DoNotOptimize(arcPolylineOf(spline, kDefaultArcFitTolerance, pl));
    segments = pl.vertices.size() - 1;
  }
  state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_SplineToArcs)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
