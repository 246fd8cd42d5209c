// A standalone host with a temporary install root holding the bundled post
// file, stored paths built in its drawing, and the NC run over them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "nc/path_record.h"
#include "nc/pw_opt.h"
#include "settings/opt_settings.h"
#include "support/temp_root.h"

namespace optgrind::testing {

struct NcTest : ::testing::Test {
  std::unique_ptr<HostWithRoot> env = std::make_unique<HostWithRoot>();
  TempDir work;

  void SetUp() override { resetSettings(); }

  // The user's answers for the next run.
  void answers(const std::string& lines) {
    env.reset();  // first: its end takes the message language away
    env = std::make_unique<HostWithRoot>(lines);
    resetSettings();
  }
  Host& host() { return env->host; }

  void resetSettings() {
    std::filesystem::copy_file(std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind/DAT/OPTGRIND.WCF",
                               env->dataFile("OPTGRIND.WCF"),
                               std::filesystem::copy_options::overwrite_existing);
    OptSettings fresh;
    fresh.pcf_name = "OPTGRIND.WCF";
    fresh.NC_rule = 1;
    fresh.NC_path = work.path();
    optSettings() = fresh;
    definedPaths().clear();
  }

  // A polyline of {x, y, bulge} vertices with the tag pairs given.
  EntityRef addPath(const std::vector<std::array<double, 3>>& vertices,
                    const std::vector<std::pair<std::string, std::string>>& tags,
                    const std::string& layer = "0") {
    EntityRecord record;
    record.layer = layer;
    PolylineGeom geom;
    for (const auto& v : vertices) geom.vertices.push_back(PolyVertex{v[0], v[1], v[2], 0, 0});
    record.geom = geom;
    if (!tags.empty()) {
      record.xdata.push_back(ResBuf::ofString(1001, "my_tag"));
      for (const auto& [key, value] : tags) {
        record.xdata.push_back(ResBuf::ofString(1000, key));
        record.xdata.push_back(ResBuf::ofString(1000, value));
      }
    }
    host().acdbRegApp("my_tag");
    EntityName name;
    EXPECT_EQ(host().acdbEntMake(record, name), RTNORM);
    return wholeEntityRef(name, kKindPolyline);
  }
  // A two-element path from (0,0) along X.
  EntityRef addSimplePath() { return addPath({{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, {{"OPT_PATH", " "}}); }

  std::string output() const { return env->out.str(); }
  bool has(const std::string& text) const { return output().find(text) != std::string::npos; }
  std::vector<std::string> filesInWork() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(work.path()))
      names.push_back(e.path().filename());
    return names;
  }
  size_t entityCount() { return standalone::liveEntityCount(env->host.drawing()); }
};

}  // namespace optgrind::testing
