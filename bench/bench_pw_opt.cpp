// The NC run over 1,000 stored paths of 1,000 elements each through the
// bundled post file, against the interpreter alone running the same events
// into the same kind of file. The run's extra cost is the walk over the
// drawing, the tags, the temporary file and the finishing pass.
//
// Counters: rss_mb is the process's peak resident size after the run,
// drawing_mb the peak once the drawing was built; run each size in its own
// process (--benchmark_filter) to compare them.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "nc/path_elements.h"
#include "nc/pw_opt.h"
#include "post/executor.h"
#include "post/keywords.h"
#include "post/post_state.h"
#include "post/program_load.h"
#include "post/settings_scan.h"
#include "settings/opt_settings.h"
#include "standalone/host/standalone_host.h"

namespace {

using namespace optgrind;

constexpr int kElementsPerPath = 1000;
constexpr int kOkField = 4;  // " OK " of the NC File Name Setting form
constexpr int kYesButton = 1;

double peakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Answers the name form with " OK " and the overwrite question with Yes.
struct UnattendedHost : HostWrapper {
  using HostWrapper::HostWrapper;
  int formWait(const FormSpec&) override { return kOkField; }
  void formClose(const FormSpec&) override {}
  int messageBox(const std::string&, const std::string&, const std::vector<std::string>&, BoxIcon) override {
    return kYesButton;
  }
  void acutPrintf(const std::string&) override {}
};

struct Fixture {
  std::string dir;
  std::istringstream in;
  std::ostringstream out;
  standalone::Console console{in, out, true};
  standalone::StandaloneHost standaloneHost;
  UnattendedHost host{&standaloneHost};
  std::vector<EntityRef> paths;

  explicit Fixture(int pathCount) : dir(makeDir()), standaloneHost(console, {dir}) {
    std::filesystem::create_directories(dir + "/DAT");
    std::filesystem::copy_file(std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind/DAT/OPTGRIND.WCF",
                               dir + "/DAT/OPTGRIND.WCF");
    OptSettings settings;
    settings.pcf_name = "OPTGRIND.WCF";
    settings.NC_rule = 1;
    settings.NC_path = dir;
    optSettings() = settings;
    standaloneHost.acdbRegApp("my_tag");
    for (int p = 0; p < pathCount; ++p) paths.push_back(addPath(p));
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  static std::string makeDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "optgrind-bench-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
  }
  // A zigzag of lines and half-round arcs with a lift every 100 elements.
  EntityRef addPath(int p) {
    EntityRecord record;
    PolylineGeom geom;
    double y0 = 100.0 * p;
    for (int i = 0; i <= kElementsPerPath; ++i) {
      double bulge = (i % 3 == 1) ? (i % 2 ? 0.5 : -0.5) : 0.0;
      geom.vertices.push_back(PolyVertex{2.0 * i, y0 + (i % 2) * 1.5, bulge, 0, 0});
    }
    record.geom = geom;
    record.xdata.push_back(ResBuf::ofString(1001, "my_tag"));
    auto tag = [&](const std::string& key) {
      record.xdata.push_back(ResBuf::ofString(1000, key));
      record.xdata.push_back(ResBuf::ofString(1000, " "));
    };
    for (int k = 50; k + 2 < kElementsPerPath; k += 100) {
      tag("RAPID_UP" + std::to_string(k));
      tag("RAPID_MOVE" + std::to_string(k + 1));
      tag("RAPID_DN" + std::to_string(k + 2));
    }
    tag("OPT_PATH");
    EntityName name;
    standaloneHost.acdbEntMake(record, name);
    return wholeEntityRef(name, kKindPolyline);
  }
};

void BM_PwOptRun(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  double drawingMb = peakRssMb();
  for (auto _ : state) {
    definedPaths().assign(f.paths.begin(), f.paths.end());
    if (runPwOpt(f.host, 0) != kPwOptWritten) state.SkipWithError("the run wrote no NC file");
  }
  state.counters["drawing_mb"] = drawingMb;
  state.counters["rss_mb"] = peakRssMb();
  state.SetItemsProcessed(state.iterations() * state.range(0) * kElementsPerPath);
}
BENCHMARK(BM_PwOptRun)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same events, with the coordinates prepared beforehand, straight into a
// file: what the interpreter costs alone.
void BM_InterpreterAlone(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  std::vector<PathGeometry> geometry;
  for (const EntityRef& path : f.paths) geometry.push_back(readPathGeometry(f.host, path));
  wcfSettingsScan(f.host, "OPTGRIND.WCF");
  wcfProgramLoad(f.host, "OPTGRIND.WCF");
  for (auto _ : state) {
    std::FILE* file = std::fopen((f.dir + "/alone.nc").c_str(), "w");
    FileNcSink sink(file);
    setNcSink(&sink);
    runEvent(f.host, kEvProgramStart);
    for (const PathGeometry& g : geometry) {
      const auto& elements = g.elements;
      for (size_t i = 0; i < elements.size(); ++i) {
        const PathElement& e = elements[i];
        postVariable(kVarX).current = e.end.x;
        postVariable(kVarY).current = e.end.y;
        int event = kEvLinearFeed;
        if (e.kind == kKindArc) {
          postVariable(kVarI).last = postVariable(kVarX).last;
          postVariable(kVarJ).last = postVariable(kVarY).last;
          postVariable(kVarI).current = e.centre.x;
          postVariable(kVarJ).current = e.centre.y;
          event = e.sweep > 0 ? kEvCircularCcw : kEvCircularCw;
        }
        runEvent(f.host, event);
      }
    }
    runEvent(f.host, kEvProgramEnd);
    setNcSink(nullptr);
    std::fclose(file);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * kElementsPerPath);
}
BENCHMARK(BM_InterpreterAlone)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
