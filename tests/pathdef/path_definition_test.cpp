// The path definition on the standalone host when the host fails a step or
// the user cancels: what stays in the drawing, and that no path is stored
// from a half-defined one; and the crossing count on a path long enough
// that its segments are boxed in runs.
#include "pathdef/path_definition.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "geometry/entity_data.h"
#include "geometry/tags.h"
#include "nc/path_record.h"
#include "pathdef/path_edit.h"
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

  EntityRef add(EntityGeom geom) {
    EntityRecord record;
    record.geom = std::move(geom);
    EntityName name;
    EXPECT_EQ(env.host.acdbEntMake(record, name), RTNORM);
    return wholeEntityRef(name, recordKind(record));
  }
  EntityRef addPolyline(const std::vector<PolyVertex>& vertices, bool closed) {
    PolylineGeom geom;
    geom.vertices = vertices;
    geom.closed = closed;
    return add(geom);
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

enum class Drawn { Square, TwoLines, Text };

// A definition that ends early stores no path, says why, and leaves the
// drawing whole.
struct Ending {
  const char* answers;
  Drawn drawn;
  const char* failCommand;
  bool failChanges;
  const char* message;
  int entities;  // -1: not counted
};

TEST(PathDefinitionFailure, CancelsRefusalsAndFailedStepsStoreNothing) {
  const char* kNotPline = "Error !! Please select Pline entity !!";
  const Ending endings[] = {
      {"^C\n", Drawn::Square, "", false, "", 1},
      {"0,0\n^C\n", Drawn::Square, "", false, "", 1},
      {"0,0\n20,0\nN\n^C\n", Drawn::Square, "", false, "", -1},
      {"0,0\n20,0\nN\n40,10\n^C\n", Drawn::Square, "", false, "", -1},
      {"0,0\n20,0\nN\n40,10\n20,40\n^C\n", Drawn::Square, "", false, "", -1},
      {"0,0\n20,0\nN\n40,10\n20,40\n", Drawn::Square, "", false, "", -1},
      {"0,0\n100,100\n", Drawn::Square, "", false, "Warning !! picked point have to on Entity!!", 1},
      {"0,0\n1,1\n\n", Drawn::Text, "", false, kNotPline, 1},
      {"0,0\n20,0\nALL\n\n", Drawn::TwoLines, "PEDIT", false, kNotPline, 2},
      {"0,0\n20,0\nN\n40,10\n", Drawn::Square, "", true, "The point is not on the profile still ahead", -1},
  };
  for (const Ending& e : endings) {
    SCOPED_TRACE(e.answers);
    Job job(e.answers);
    job.host.failCommand = e.failCommand;
    job.host.failChanges = e.failChanges;
    EntityRef square;
    if (e.drawn == Drawn::Square) square = job.addPolyline(kSquare, true);
    if (e.drawn == Drawn::TwoLines) {
      job.add(LineGeom{{0, 0, 0}, {40, 0, 0}, 0});
      job.add(LineGeom{{40, 0, 0}, {40, 40, 0}, 0});
    }
    if (e.drawn == Drawn::Text) {
      TextGeom text;
      text.text = "PUNCH";
      job.add(text);
    }
    EXPECT_EQ(runPathDefinition(job.host), kStepEnded);
    EXPECT_TRUE(job.printed(e.message));
    int entities = 0;
    EXPECT_EQ(job.storedPaths(entities), 0);
    if (e.entities >= 0) {
      EXPECT_EQ(entities, e.entities);
    }
    EXPECT_TRUE(!e.failChanges || job.polyline(square).vertices.size() == kSquare.size());
  }
}

TEST(PathDefinitionFailure, CancelAtTheDirectionQuestionKeepsTheDirectionAndGoesOn) {
  Job job("0,0\n20,0\n^C\n40,10\n\n");
  job.addPolyline(kSquare, true);
  EXPECT_EQ(runPathDefinition(job.host), kStepDone);
  int entities = 0;
  EXPECT_EQ(job.storedPaths(entities), 1);
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

TEST(CountCrossings, AHalfCircleBulgingFarFromItsRunStillCounts) {
  // Straight steps along y = 0 but for a half circle from (100,0) to
  // (110,0) that dips to y = -5; a line at y = -4.9 cuts it twice.
  Job job("");
  std::vector<PolyVertex> steps;
  for (int i = 0; i <= 30; ++i) steps.push_back(PolyVertex{i * 10.0, 0, i == 10 ? 1.0 : 0.0});
  EntityRef path = job.addPolyline(steps, false);
  EntityRef line = job.add(LineGeom{{100.5, -4.9, 0}, {109.5, -4.9, 0}, 0});
  EXPECT_EQ(countCrossings(job.host, line, path), 2);
}

}  // namespace
}  // namespace optgrind
