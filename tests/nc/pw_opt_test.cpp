// The NC run over paths built in the drawing: what it writes, where it
// stops, and that a failing step writes nothing.
#include "nc/pw_opt.h"

#include "nc/nc_fixture.h"

namespace optgrind {
namespace {

using testing::NcTest;
using testing::readFile;

// Fails one host operation: the others go through.
struct FailingHost : HostWrapper {
  using HostWrapper::HostWrapper;
  bool failEntMake = false;
  bool failAddLayer = false;
  bool failEntGet = false;
  int acdbEntMake(const EntityRecord& entity, EntityName& out) override {
    return failEntMake ? RTERROR : HostWrapper::acdbEntMake(entity, out);
  }
  int addLayer(const LayerRecord& layer, int& id) override {
    return failAddLayer ? RTERROR : HostWrapper::addLayer(layer, id);
  }
  int acdbEntGet(const EntityName& name, EntityRecord& out) override {
    return failEntGet ? RTERROR : HostWrapper::acdbEntGet(name, out);
  }
};

struct PwOptTest : NcTest {
  std::string ncFile() const { return work.path() + "/OPT.NC"; }
  // The defined paths of a path definition, and a run from it.
  int runDefined(Host& h, const std::vector<EntityRef>& paths) {
    definedPaths().assign(paths.begin(), paths.end());
    return runPwOpt(h, 0);
  }
};

TEST_F(PwOptTest, AClosedPathReturnsNowhereAndALongPathIsCutAtElement1001) {
  answers(" OK \n OK \nYes\n");  // the second run is asked to overwrite
  optSettings().Return_start = 1;
  EntityRef loop = addPath({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 0, 0}}, {{"OPT_PATH", " "}});
  ASSERT_EQ(runDefined(host(), {loop}), kPwOptWritten) << output();
  std::string nc = readFile(ncFile());
  EXPECT_NE(nc.find("G40X0.Y0.\nM05\nM30\n"), std::string::npos) << nc;

  std::vector<std::array<double, 3>> vertices;
  for (int i = 0; i <= 1100; ++i) vertices.push_back({static_cast<double>(i), 0.0, 0.0});
  EntityRef longPath = addPath(vertices, {{"OPT_PATH", " "}});
  optSettings().Return_start = 0;
  ASSERT_EQ(runDefined(host(), {longPath}), kPwOptWritten) << output();
  nc = readFile(ncFile());
  EXPECT_NE(nc.find("\nX1000.\nG40X1001.\nM05\nM30\n"), std::string::npos);
  EXPECT_EQ(nc.find("X1002."), std::string::npos);
}

TEST_F(PwOptTest, ACancelledSelectionOrNameFormWritesNothing) {
  answers("^C\n");
  addSimplePath();
  EXPECT_EQ(runPwOpt(host(), 1), kPwOptCancelled);
  EXPECT_EQ(ncFromDialog(), 1);

  answers("\n^C\n");  // Select All, then Escape in the name form
  addSimplePath();
  EXPECT_EQ(runPwOpt(host(), 1), kPwOptCancelled);
  EXPECT_TRUE(has("=== NC File Name Setting ==="));
  EXPECT_TRUE(filesInWork().empty());
}

// Among a hundred thousand entities and a polyline without the path's tag.
TEST_F(PwOptTest, SelectAllTakesOnlyStoredPaths) {
  answers("\n OK \n");
  addPath({{0, 0, 0}, {5, 0, 0}}, {});
  constexpr int kEntities = 100000;
  for (int i = 0; i < kEntities; ++i) {
    EntityRecord line;
    line.geom = LineGeom{{0.0, i * 0.01, 0}, {1.0, i * 0.01, 0}, 0};
    EntityName name;
    ASSERT_EQ(host().acdbEntMake(line, name), RTNORM);
  }
  addPath({{0, -5, 0}, {7, -5, 0}, {9, -5, 0}}, {{"OPT_PATH", " "}});
  ASSERT_EQ(runPwOpt(host(), 1), kPwOptWritten) << output();
  std::string nc = readFile(ncFile());
  EXPECT_NE(nc.find("G00X0.Y-5.\n"), std::string::npos);
  EXPECT_EQ(nc.find("X5.\n"), std::string::npos) << nc;
}

TEST_F(PwOptTest, AFailedCopyLayerOrTagReadWritesNothing) {
  for (int step = 0; step < 3; ++step) {
    answers("\n");
    EntityRef path = addSimplePath();
    size_t before = entityCount();
    FailingHost failing(&host());
    failing.failEntMake = step == 0;
    failing.failAddLayer = step == 1;
    failing.failEntGet = step == 2;
    optSettings().Sel_row = 2;
    optSettings().tools[1].Feed = 50;
    int result = runDefined(failing, {path});
    EXPECT_NE(result, kPwOptWritten) << step;
    const char* message =
        step < 2 ? "could not be copied onto the layer \"2\"; no NC file was written." : "No Optical Path !";
    EXPECT_TRUE(has(message)) << step;
    EXPECT_TRUE(filesInWork().empty()) << step;
    EXPECT_EQ(entityCount(), before) << step;
    EXPECT_EQ(optSettings().tools[1].Work_time, "") << step;
    EXPECT_FALSE(std::filesystem::exists(env->dataFile("opt.set"))) << step;
  }
}

TEST_F(PwOptTest, AToolRowRunWritesTheFirstPathOnlyAndItsTime) {
  EntityRef first = addPath({{0, 0, 0}, {100, 0, 0}, {122, 0, 0}}, {{"OPT_PATH", " "}});
  EntityRef second = addPath({{0, 50, 0}, {10, 50, 0}, {20, 50, 0}}, {{"OPT_PATH", " "}});
  optSettings().Sel_row = 3;
  optSettings().tools[2].Feed = 10;
  ASSERT_EQ(runDefined(host(), {first, second}), kPwOptWritten) << output();
  EXPECT_EQ(optSettings().tools[2].Work_time, "13\"");  // 12.2 minutes
  std::string nc = readFile(ncFile());
  EXPECT_EQ(nc.find("Y50."), std::string::npos) << nc;
  EXPECT_NE(readFile(env->dataFile("opt.set")).find("13\""), std::string::npos);
  // Two copies on layer "3".
  size_t onLayer3 = 0;
  for (const auto& e : env->host.drawing().entities) onLayer3 += !e.erased && e.record.layer == "3";
  EXPECT_EQ(onLayer3, 2u);
}

}  // namespace
}  // namespace optgrind
