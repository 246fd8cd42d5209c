// LINE, ARC, CIRCLE and PLINE typed at "Command:", with their options, bad
// answers and scripts that end in the middle of a command.
#include <cmath>

#include "cmd_test_session.h"

namespace optgrind::standalone::cmdtest {
namespace {

constexpr double kTol = 1e-9;
constexpr double kPi = 3.14159265358979323846;

void expectLine(const DrawingEntity* e, Point3 a, Point3 b) {
  const auto* g = e->record.as<LineGeom>();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->start, a);
  EXPECT_EQ(g->end, b);
}

void expectArc(const DrawingEntity* e, Point3 c, double r, double start, double end) {
  const auto* g = e->record.as<ArcGeom>();
  ASSERT_NE(g, nullptr);
  EXPECT_NEAR(g->center.x, c.x, kTol);
  EXPECT_NEAR(g->center.y, c.y, kTol);
  EXPECT_NEAR(g->radius, r, kTol);
  EXPECT_NEAR(g->startAngle, start, kTol);
  EXPECT_NEAR(g->endAngle, end, kTol);
}

TEST(DrawCommands, LineUndoesAndCloses) {
  Session s("line\n0,0\n10,0\n10,10\nundo\n10,5\n@-10,0\nC\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 4u);
  expectLine(v[0], {0, 0, 0}, {10, 0, 0});
  expectLine(v[1], {10, 0, 0}, {10, 5, 0});
  expectLine(v[2], {10, 5, 0}, {0, 5, 0});
  expectLine(v[3], {0, 5, 0}, {0, 0, 0});
  EXPECT_NE(s.out.str().find("Specify next point or [Close/Undo]: "), std::string::npos);
}

TEST(DrawCommands, LineCloseNeedsTwoSegmentsAndUndoPastTheStartIsRefused) {
  Session s("_LINE\n0,0\nU\n5,0\nC\n5,5\n\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);  // "C" was no option after one segment
  expectLine(v[1], {5, 0, 0}, {5, 5, 0});
  EXPECT_NE(s.out.str().find("All segments already undone."), std::string::npos);
}

TEST(DrawCommands, ArcByThreePointsRunsCounterClockwiseWhicheverWayTheyAreGiven) {
  Session s("ARC\n10,0\n0,10\n-10,0\nA\n-10,0\n0,10\n10,0\nARC\nc\n0,0\n5,0\n0,7\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 3u);
  expectArc(v[0], {0, 0, 0}, 10, 0, kPi);
  expectArc(v[1], {0, 0, 0}, 10, 0, kPi);
  expectArc(v[2], {0, 0, 0}, 5, 0, kPi / 2);
}

TEST(DrawCommands, ArcOnOneLineAsksAgainAndCircleWantsAPositiveRadius) {
  Session s("ARC\n0,0\n1,1\n2,2\n2,0\nCIRCLE\n1,2\n-3\nabc\n4\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);
  expectArc(v[0], {1, 0, 0}, 1, 0, kPi);  // given clockwise: stored from 2,0 to 0,0
  const auto* c = v[1]->record.as<CircleGeom>();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->center, (Point3{1, 2, 0}));
  EXPECT_EQ(c->radius, 4.0);
  EXPECT_NE(s.out.str().find("Value must be positive and nonzero."), std::string::npos);
}

TEST(DrawCommands, PlineWithTangentArcsAndClose) {
  // East to 10,0; a tangent arc up to 10,10 (a half circle); back to lines; closed.
  Session s(
      "PL\n0,0\n10,0\nA\n10,10\nL\n0,10\nC\n"
      // Quarter circle from 10,0 heading east to 20,10, then a tangent arc
      // that closes back onto the start.
      "PLINE\n0,0\n10,0\narc\n20,10\nclose\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);
  const auto* a = v[0]->record.as<PolylineGeom>();
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->closed);
  expectVertices(*a, {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}, {0, 10, 0}});
  const auto* b = v[1]->record.as<PolylineGeom>();
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->closed);
  ASSERT_EQ(b->vertices.size(), 3u);
  EXPECT_NEAR(b->vertices[1].bulge, std::tan(kPi / 8), kTol);
  // Leaving 20,10 heading north, the closing arc sweeps twice the angle
  // between north and the chord to 0,0.
  double half = std::atan2(-10.0, -20.0) + 2 * kPi - kPi / 2;
  EXPECT_NEAR(b->vertices[2].bulge, std::tan(half / 2), kTol);
}

TEST(DrawCommands, PlineUndoAndAnArcStraightBehindIsRefused) {
  Session s("PLINE\n0,0\n10,0\n20,0\nU\nA\n0,0\n10,5\n\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 1u);
  const auto* pl = v[0]->record.as<PolylineGeom>();
  ASSERT_NE(pl, nullptr);
  EXPECT_FALSE(pl->closed);
  EXPECT_EQ(pl->vertices.size(), 3u);
  EXPECT_NEAR(pl->vertices[1].bulge, 1.0, kTol);  // heading east, a half circle up to 10,5
  EXPECT_NE(s.out.str().find("Invalid point."), std::string::npos);
}

// LINE is ended by the program's own run (the app's script-end test).
TEST(DrawCommands, ScriptsEndingInsideACommandKeepWhatWasDrawn) {
  {
    Session s("PLINE\n0,0\n10,0\nA\n");
    s.run();
    ASSERT_EQ(s.live().size(), 1u);
    EXPECT_EQ(s.live()[0]->record.as<PolylineGeom>()->vertices.size(), 2u);
  }
  for (const char* script :
       {"CIRCLE\n0,0\n", "ARC\n0,0\n1,1\n", "PLINE\n0,0\n", "ARC\nC\n0,0\n1,0\n", "LINE\n"}) {
    Session s(script);
    s.run();
    EXPECT_TRUE(s.live().empty()) << script;
  }
  Session cancelled("LINE\n0,0\n5,0\n^C\nCIRCLE\n0,0\n^C\n");
  cancelled.run();
  EXPECT_EQ(cancelled.live().size(), 1u);
}

TEST(DrawCommands, AnswersOutOfRangeAreAskedAgain) {
  Session s("LINE\ninf,0\n0,0\n1e999,1\n5,0\n\nCIRCLE\n0,0\n-inf\n1e999\n2\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);
  expectLine(v[0], {0, 0, 0}, {5, 0, 0});
  EXPECT_EQ(v[1]->record.as<CircleGeom>()->radius, 2.0);
  EXPECT_EQ(s.host.acedCommand({str("text"), pt(0, 0), real(HUGE_VAL)}), RTERROR);
  EXPECT_EQ(s.live().size(), 2u);
}

TEST(DrawCommands, UnknownCommandsAreReportedAndNewEntitiesTakeTheCurrentLayer) {
  Session s("FROB\nLAYER\nM\nCUT\n\nLINE\n0,0\n1,0\n\n");
  s.run();
  EXPECT_NE(s.out.str().find("Unknown command \"FROB\"."), std::string::npos);
  ASSERT_EQ(s.live().size(), 1u);
  EXPECT_EQ(s.live()[0]->record.layer, "CUT");
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
