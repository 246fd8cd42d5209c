// The path definition on the standalone host when the host fails a step or
// the user cancels: what stays in the drawing, and that no path is stored
// from a half-defined one.
#include "pathdef/path_definition.h"

#include <gtest/gtest.h>

#include <string>

#include "geometry/tags.h"
#include "nc/path_record.h"
#include "pathdef/pathdef_state.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;

// Fails the host commands of one name, or every entity change.
class FailingHost : public HostWrapper {
 public:
  using HostWrapper::HostWrapper;
  int acedCommand(const ResBufList& args) override {
    if (!args.empty() && args[0].asString() == failCommand) return RTERROR;
    return HostWrapper::acedCommand(args);
  }
  int acdbEntMod(const EntityName& name, const EntityRecord& entity) override {
    if (failChanges) return RTERROR;
    return HostWrapper::acdbEntMod(name, entity);
  }
  std::string failCommand;
  bool failChanges = false;
};

struct Job {
  explicit Job(const std::string& answers) : env(answers), host(&env.host) { resetPathDefState(); }

  EntityRef addPolyline(const std::vector<PolyVertex>& vertices, bool closed) {
    EntityRecord record;
    PolylineGeom geom;
    geom.vertices = vertices;
    geom.closed = closed;
    record.geom = geom;
    EntityName name;
    EXPECT_EQ(env.host.acdbEntMake(record, name), RTNORM);
    return wholeEntityRef(name, kKindPolyline);
  }
  EntityRef addLine(double x1, double y1, double x2, double y2) {
    EntityRecord record;
    record.geom = LineGeom{{x1, y1, 0}, {x2, y2, 0}, 0};
    EntityName name;
    EXPECT_EQ(env.host.acdbEntMake(record, name), RTNORM);
    return wholeEntityRef(name, kKindLine);
  }
  // The stored paths and the number of entities.
  int storedPaths(int& entities) {
    int paths = 0;
    entities = 0;
    EntityName name;
    for (int rc = env.host.acdbEntNext(nullptr, name); rc == RTNORM; rc = env.host.acdbEntNext(&name, name)) {
      ++entities;
      if (isPath(env.host, wholeEntityRef(name))) ++paths;
    }
    return paths;
  }
  PolylineGeom polyline(const EntityRef& ref) {
    EntityRecord record;
    env.host.acdbEntGet(ref.name, record);
    const PolylineGeom* p = record.as<PolylineGeom>();
    return p ? *p : PolylineGeom{};
  }
  bool printed(const std::string& text) const { return env.out.str().find(text) != std::string::npos; }

  HostWithRoot env;
  FailingHost host;
};

const std::vector<PolyVertex> kSquare = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};

TEST(PathDefinitionFailure, CancelAtEveryPromptOrAnswersRunningOutStoreNothing) {
  for (std::string answers : {"^C\n", "0,0\n^C\n", "0,0\n20,0\nN\n^C\n", "0,0\n20,0\nN\n40,10\n^C\n",
                              "0,0\n20,0\nN\n40,10\n20,40\n^C\n", "0,0\n20,0\nN\n40,10\n20,40\n"}) {
    Job job(answers);
    job.addPolyline(kSquare, true);
    EXPECT_EQ(runPathDefinition(job.host), kStepEnded) << answers;
    int entities = 0;
    EXPECT_EQ(job.storedPaths(entities), 0) << answers;
  }
}

TEST(PathDefinitionFailure, CancelAtTheDirectionQuestionKeepsTheDirectionAndGoesOn) {
  Job job("0,0\n20,0\n^C\n40,10\n\n");
  job.addPolyline(kSquare, true);
  EXPECT_EQ(runPathDefinition(job.host), kStepDone);
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 1);
}

TEST(PathDefinitionFailure, AFailedProfileJoinEndsWithTheMessageAndLeavesTheLines) {
  Job job("0,0\n20,0\nALL\n\n");
  job.host.failCommand = "PEDIT";
  job.addLine(0, 0, 40, 0);
  job.addLine(40, 0, 40, 40);
  EXPECT_EQ(runPathDefinition(job.host), kStepEnded);
  EXPECT_TRUE(job.printed("Error !! Please select Pline entity !!"));
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 0);
  EXPECT_EQ(entities, 2);
}

TEST(PathDefinitionFailure, FailedJoinsOfTheMovesStillTagTheFirstGroundPiece) {
  // Every PEDIT fails: no lead-in, leader, over-cut or lift is joined, and
  // the ground piece, as the host left it, carries the tags.
  Job job("0,0\n20,0\nN\n40,10\n\n");
  job.host.failCommand = "PEDIT";
  EntityRef square = job.addPolyline(kSquare, true);
  EXPECT_EQ(runPathDefinition(job.host), kStepDone);
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 1);
  EXPECT_TRUE(isPath(job.env.host, square));
  PolylineGeom ground = job.polyline(square);
  ASSERT_GE(ground.vertices.size(), 2u);
  EXPECT_EQ(ground.vertices.front().x, 20);  // begins at the start point
}

TEST(PathDefinitionFailure, ABreakTheHostRefusesTakesNoToolPointAndStoresNothing) {
  Job job("0,0\n20,0\nN\n40,10\n");
  EntityRef square = job.addPolyline(kSquare, true);
  job.host.failChanges = true;
  EXPECT_EQ(runPathDefinition(job.host), kStepEnded);
  EXPECT_TRUE(job.printed("The point is not on the profile still ahead"));
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 0);
  EXPECT_EQ(job.polyline(square).vertices.size(), kSquare.size());
}

TEST(PathDefinitionFailure, ATextOrNothingUnderTheStartPickEndsTheDefinition) {
  Job job("0,0\n100,100\n");
  job.addPolyline(kSquare, true);
  EXPECT_EQ(runPathDefinition(job.host), kStepEnded);
  EXPECT_TRUE(job.printed("Warning !! picked point have to on Entity!!"));
  Job text("0,0\n1,1\n\n");
  EntityRecord record;
  TextGeom geom;
  geom.position = {0, 0, 0};
  geom.text = "PUNCH";
  record.geom = geom;
  EntityName name;
  text.env.host.acdbEntMake(record, name);
  EXPECT_EQ(runPathDefinition(text.host), kStepEnded);
  EXPECT_TRUE(text.printed("Error !! Please select Pline entity !!"));
}

TEST(PathDefinitionLimits, AHundredLiftsFillTheListsAndTheInputEndsThere) {
  // A staircase profile with room for far more than a hundred lifts.
  std::vector<PolyVertex> stairs;
  for (int i = 0; i <= 210; ++i) stairs.push_back(PolyVertex{i * 10.0, 0});
  std::string answers = "0,0\n5,0\nN\nN\n";
  for (int i = 1; i <= 101; ++i) {
    answers += std::to_string(i * 20 - 10) + ",0\n" + std::to_string(i * 20) + ",0\n";
  }
  Job job(answers);
  job.addPolyline(stairs, false);
  EXPECT_EQ(runPathDefinition(job.host), kStepDone);
  EXPECT_TRUE(job.printed("A path takes at most 100 lifts"));
  EXPECT_EQ(pathDefState().upCount, kPathListCapacity);
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 1);
}

}  // namespace
}  // namespace optgrind
