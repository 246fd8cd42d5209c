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
  EXPECT_EQ(std::pair(g->start, g->end), std::pair(a, b));
}

void expectArc(const DrawingEntity* e, Point3 c, double r, double start, double end) {
  const auto* g = e->record.as<ArcGeom>();
  ASSERT_NE(g, nullptr);
  const double got[] = {g->center.x, g->center.y, g->radius, g->startAngle, g->endAngle};
  const double expected[] = {c.x, c.y, r, start, end};
  for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(got[i], expected[i], kTol) << "value " << i;
}

TEST(DrawCommands, LineUndoesAndClosesButNotPastTheStartNorAfterOneSegment) {
  Session s("line\n0,0\n10,0\n10,10\nundo\n10,5\n@-10,0\nC\n_LINE\n0,0\nU\n5,0\nC\n5,5\n\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 6u);  // "C" was no option after one segment
  const Point3 corners[] = {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}};
  for (size_t i = 0; i < 4; ++i) expectLine(v[i], corners[i], corners[(i + 1) % 4]);
  expectLine(v[5], {5, 0, 0}, {5, 5, 0});
  EXPECT_TRUE(s.said("Specify next point or [Close/Undo]: "));
  EXPECT_TRUE(s.said("All segments already undone."));
}

// Three points run counter-clockwise whichever way they are given; three on
// one line are asked again; a circle wants a positive radius.
TEST(DrawCommands, ArcsByThreePointsOrCentreAndCircles) {
  Session s(
      "ARC\n10,0\n0,10\n-10,0\nA\n-10,0\n0,10\n10,0\nARC\nc\n0,0\n5,0\n0,7\n"
      "ARC\n0,0\n1,1\n2,2\n2,0\nCIRCLE\n1,2\n-3\nabc\n4\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 5u);
  for (size_t i : {0, 1}) expectArc(v[i], {0, 0, 0}, 10, 0, kPi);
  expectArc(v[2], {0, 0, 0}, 5, 0, kPi / 2);
  expectArc(v[3], {1, 0, 0}, 1, 0, kPi);  // given clockwise: stored from 2,0 to 0,0
  const auto* c = v[4]->record.as<CircleGeom>();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::pair(c->center, c->radius), std::pair(Point3{1, 2, 0}, 4.0));
  EXPECT_TRUE(s.said("Value must be positive and nonzero."));
}

TEST(DrawCommands, PlineWithTangentArcsUndoAndClose) {
  Session s(
      // East to 10,0; a tangent arc up to 10,10 (a half circle); back to lines; closed.
      "PL\n0,0\n10,0\nA\n10,10\nL\n0,10\nC\n"
      // Quarter circle from 10,0 heading east to 20,10, then a tangent arc
      // that closes back onto the start.
      "PLINE\n0,0\n10,0\narc\n20,10\nclose\n"
      // An arc straight back is refused; heading east, a half circle up to 10,5.
      "PLINE\n0,0\n10,0\n20,0\nU\nA\n0,0\n10,5\n\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 3u);
  for (size_t i = 0; i < 3; ++i) ASSERT_NE(v[i]->record.as<PolylineGeom>(), nullptr);
  const PolylineGeom &a = *v[0]->record.as<PolylineGeom>(), &b = *v[1]->record.as<PolylineGeom>();
  const PolylineGeom& c = *v[2]->record.as<PolylineGeom>();
  EXPECT_EQ(std::tuple(a.closed, b.closed, c.closed), std::tuple(true, true, false));
  expectVertices(a, {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}, {0, 10, 0}});
  // Leaving 20,10 heading north, the closing arc sweeps twice the angle
  // between north and the chord to 0,0.
  double half = std::atan2(-10.0, -20.0) + 2 * kPi - kPi / 2;
  expectVertices(b, {{0, 0, 0}, {10, 0, std::tan(kPi / 8)}, {20, 10, std::tan(half / 2)}});
  expectVertices(c, {{0, 0, 0}, {10, 0, 1}, {10, 5, 0}});
  EXPECT_TRUE(s.said("Invalid point."));
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

// Unknown commands are reported, answers out of range asked again; new
// entities take the current layer.
TEST(DrawCommands, BadAnswersAreAskedAgainAndNewEntitiesTakeTheCurrentLayer) {
  Session s("FROB\nLAYER\nM\nCUT\n\nLINE\ninf,0\n0,0\n1e999,1\n5,0\n\nCIRCLE\n0,0\n-inf\n1e999\n2\n");
  s.run();
  EXPECT_TRUE(s.said("Unknown command \"FROB\"."));
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);
  expectLine(v[0], {0, 0, 0}, {5, 0, 0});
  EXPECT_EQ(v[0]->record.layer, "CUT");
  EXPECT_EQ(v[1]->record.as<CircleGeom>()->radius, 2.0);
  EXPECT_EQ(s.command({str("text"), pt(0, 0), real(HUGE_VAL)}), RTERROR);
  EXPECT_EQ(s.live().size(), 2u);
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
