// Loading DXF drawings: the host's loadDxf (check, parse, build the drawing)
// against a bare parse of the same files by the DXF library with a creation
// interface that builds nothing. Drawings of 10k and 100k entities, loose
// lines and arcs or mixed entities with extended data, are written into a
// temporary folder first. The peak_bytes_per_file_byte counter is the most
// heap a load held at once, over the file's size.
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>

#include "standalone/dxf/dxf_io.h"

// ---- Heap accounting: current and peak bytes held through operator new.

namespace {
std::atomic<long long> heldBytes{0};
std::atomic<long long> peakBytes{0};

void noteAlloc(void* p) {
  long long now = heldBytes += static_cast<long long>(malloc_usable_size(p));
  long long peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (!p) throw std::bad_alloc();
  noteAlloc(p);
  return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
namespace {
// Out of line: where GCC inlines the free() into a caller of operator
// delete, it takes it for the release of a pointer from the library's new.
[[gnu::noinline]] void release(void* p) noexcept {
  if (!p) return;
  heldBytes -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
}  // namespace

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

namespace {

using namespace optgrind;
using namespace optgrind::standalone;
namespace fs = std::filesystem;

enum Kind { kLooseLinesArcs = 0, kMixedWithXdata = 1 };

EntityRecord looseEntity(int i) {
  EntityRecord e;
  e.layer = "PROFILE";
  double x = i * 0.5;
  if (i % 2 == 0) {
    e.geom = LineGeom{{x, 0.25, 0}, {x + 0.5, 1.75, 0}, 0.0};
  } else {
    e.geom = ArcGeom{{x, 1, 0}, 0.75, 0.1 * (i % 7), 3.0 + 0.1 * (i % 5), 0.0};
  }
  return e;
}

EntityRecord mixedEntity(int i) {
  EntityRecord e = looseEntity(i);
  double x = i * 0.5;
  switch (i % 5) {
    case 0: {
      PolylineGeom p;
      p.vertices = {{x, 0, 0.25, 0, 0}, {x + 1, 0, 0, 0, 0}, {x + 1, 1, -0.5, 0, 0}, {x, 1, 0, 0, 0}};
      p.closed = true;
      e.geom = p;
      break;
    }
    case 1: {
      TextGeom t;
      t.position = t.alignPoint = {x, 2, 0};
      t.text = "P" + std::to_string(i);
      e.geom = t;
      break;
    }
    case 2:
      e.geom = CircleGeom{{x, 3, 0}, 0.4, 0.0};
      break;
    default:
      break;
  }
  e.color = 1 + i % 255;
  e.xdata = {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "OPT_PATH"),
             ResBuf::ofString(1000, std::to_string(i)), ResBuf::ofReal(1040, i * 0.125),
             ResBuf::ofInt(1070, i % 100)};
  return e;
}

// The benchmark's drawings, written once per run.
class Files {
 public:
  static Files& get() {
    static Files files;
    return files;
  }
  const std::string& path(int kind, int count) {
    auto key = std::make_pair(kind, count);
    auto it = paths_.find(key);
    if (it != paths_.end()) return it->second;
    Drawing d = newDrawing();
    registerApp(d, "my_tag");
    ensureLayer(d, "PROFILE");
    for (int i = 0; i < count; ++i)
      appendEntity(d, kind == kLooseLinesArcs ? looseEntity(i) : mixedEntity(i));
    std::string path = (dir_ / ("k" + std::to_string(kind) + "_" + std::to_string(count) + ".dxf")).string();
    if (!saveDxf(d, path).ok) std::abort();
    return paths_[key] = path;
  }
  ~Files() { fs::remove_all(dir_); }

 private:
  Files() {
    std::string pattern = (fs::temp_directory_path() / "bench_dxf_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  fs::path dir_;
  std::map<std::pair<int, int>, std::string> paths_;
};

// Takes every callback and builds nothing.
class NullBuilder : public DL_CreationAdapter {
 public:
  long long entities = 0;
  void addLine(const DL_LineData&) override { ++entities; }
  void addArc(const DL_ArcData&) override { ++entities; }
  void addCircle(const DL_CircleData&) override { ++entities; }
  void addText(const DL_TextData&) override { ++entities; }
  void addPolyline(const DL_PolylineData&) override { ++entities; }
};

void setCounters(benchmark::State& state, const std::string& path, long long peak) {
  double bytes = static_cast<double>(fs::file_size(path));
  state.counters["file_MB"] = bytes / 1e6;
  state.counters["peak_bytes_per_file_byte"] = static_cast<double>(peak) / bytes;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_LoadDxf(benchmark::State& state) {
  const std::string& path =
      Files::get().path(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  long long peak = 0;
  for (auto _ : state) {
    long long base = heldBytes.load();
    peakBytes = base;
    auto d = std::make_unique<Drawing>();
    Outcome r = loadDxf(path, *d);
    if (!r.ok) state.SkipWithError(r.message.c_str());
    benchmark::DoNotOptimize(d->entities.data());
    peak = std::max(peak, peakBytes.load() - base);
    state.PauseTiming();  // freeing the drawing is not part of loading it
    d.reset();
    state.ResumeTiming();
  }
  setCounters(state, path, peak);
}

void BM_BareParse(benchmark::State& state) {
  const std::string& path =
      Files::get().path(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  long long peak = 0;
  for (auto _ : state) {
    long long base = heldBytes.load();
    peakBytes = base;
    NullBuilder builder;
    DL_Dxf parser;
    parser.in(path, &builder);
    benchmark::DoNotOptimize(builder.entities);
    peak = std::max(peak, peakBytes.load() - base);
  }
  setCounters(state, path, peak);
}

void sizes(benchmark::internal::Benchmark* b) {
  for (int kind : {kLooseLinesArcs, kMixedWithXdata}) {
    for (int count : {10000, 100000}) b->Args({kind, count});
  }
  b->ArgNames({"mixed", "entities"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadDxf)->Apply(sizes);
BENCHMARK(BM_BareParse)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
