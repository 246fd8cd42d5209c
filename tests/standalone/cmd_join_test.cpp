// PEDIT's join: chaining lines, arcs and polylines in the picked entity's
// direction, gaps and branches, closing loops, and the PEDIT argument forms
// the system runs through acedCommand.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <numeric>
#include <random>

#include "cmd_test_session.h"
#include "standalone/commands/cmd_join.h"
#include "standalone/model/drawing_history.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone::cmdtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

const PolylineGeom* lastPolyline(const Session& s) {
  auto v = s.live();
  return v.empty() ? nullptr : v.back()->record.as<PolylineGeom>();
}

int pedit(Session& s, long long picked, const std::vector<long long>& others, bool turn = true) {
  ResBufList args{str("PEDIT"), ResBuf::ofName(s.name(picked))};
  if (turn) args.push_back(str("Y"));
  for (auto& a : {str("J"), ResBuf::ofSet(s.setOf(others)), str(""), str("X")}) args.push_back(a);
  return s.host.acedCommand(args);
}

// Each case joins its pieces to the first, picked and turned; the others
// are selected last drawn first, so that only the drawing order can decide
// a branch.
TEST(Join, PiecesRunThePickedLinesWayAndTheFirstDrawnIsTakenAtABranch) {
  struct Case {
    const char* what;
    std::vector<EntityGeom> pieces;
    std::vector<PolyVertex> expected;
    size_t liveAfter;
  };
  const Case cases[] = {
      {"forward at the end (20,0); at the start the arc ends on 0,0 and comes first",
       {line(0, 0, 10, 0), line(20, 0, 10, 0), arc(0, 5, 5, 90, 270), line(0, 10, -5, 10)},
       {{-5, 10, 0}, {0, 10, 1}, {0, 0, 0}, {10, 0, 0}, {20, 0, 0}},
       1},
      {"arcs run clockwise get negative bulges",
       {line(-10, 0, 0, 0), arc(10, 0, 10, 90, 180), arc(15, 10, 5, 0, 180)},
       {{-10, 0, 0}, {0, 0, -std::tan(kPi / 8)}, {10, 10, -1}, {20, 10, 0}},
       1},
      {"a gap of half a unit stays; up is drawn before down; 20,10 is within the fuzz",
       {line(0, 0, 10, 0), line(-0.5, 0, -10, 0), line(10, 0, 10, 10), line(10, 0, 10, -10),
        line(10, 10 + kJoinFuzz / 2, 20, 10)},
       {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {20, 10, 0}},
       3},
  };
  for (const Case& c : cases) {
    Session s;
    std::vector<long long> ids;
    for (const EntityGeom& g : c.pieces) ids.push_back(s.add(g));
    std::vector<long long> others(ids.rbegin(), ids.rend() - 1);
    ASSERT_EQ(pedit(s, ids.front(), others), RTNORM) << c.what;
    EXPECT_EQ(s.live().size(), c.liveAfter) << c.what;
    const auto* pl = lastPolyline(s);
    ASSERT_NE(pl, nullptr) << c.what;
    EXPECT_FALSE(pl->closed) << c.what;
    expectVertices(*pl, c.expected);
  }
}

// The pieces a join erased come back with U and go again with REDO; a
// piece erased and then changed by the same command comes back as it was.
TEST(Join, UndoAndRedoRestoreTheErasedPieces) {
  Session s;
  long long picked = s.add(line(0, 0, 10, 0));
  long long a = s.add(line(10, 0, 20, 0));
  long long b = s.add(line(20, 0, 30, 0));
  Drawing& d = s.host.drawing();
  beginCommand(d, "PEDIT");
  long long polyline = turnIntoPolyline(d, picked);
  ASSERT_EQ(joinToPolyline(d, polyline, {a, b}), 2);
  size_t slotB = static_cast<size_t>(slotOf(d, b));
  noteEntityEdit(d, slotB);
  d.entities[slotB].record.color = 5;
  endCommand(d);
  undoCommands(d, 1);
  EXPECT_EQ(s.live().size(), 3u);
  EXPECT_EQ(findEntity(std::as_const(d), b)->record.color, kColorByLayer);
  redoCommands(d);
  EXPECT_EQ(s.live().size(), 1u);
  EXPECT_EQ(d.entities[slotB].record.color, 5);
}

TEST(Join, AClosedLoopIsClosedAndAPolylineJoinedKeepsItsNameButGoesLast) {
  Session s;
  long long picked = s.add(PolylineGeom{.vertices = {{0, 0}, {10, 0}}}, "PROFILE");
  findEntity(s.host.drawing(), picked)->record.color = 3;
  long long l1 = s.add(line(0, 10, 10, 10));
  long long l2 = s.add(line(0, 0, 0, 10));
  // Drawn from 10,10 down to 10,0; the loop runs it upwards.
  long long p = s.add(PolylineGeom{.vertices = {{10, 10, 0.2}, {10, 0}}});
  long long after = s.add(line(50, 50, 60, 60));
  ASSERT_EQ(pedit(s, picked, {l1, l2, p, picked}, false), RTNORM);  // the polyline itself is passed over
  auto v = s.live();
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0]->id, after);
  EXPECT_EQ(v[1]->id, picked);
  const auto* pl = v[1]->record.as<PolylineGeom>();
  EXPECT_TRUE(pl->closed);
  expectVertices(*pl, {{0, 0, 0}, {10, 0, -0.2}, {10, 10, 0}, {0, 10, 0}});
  EXPECT_EQ(v[1]->record.layer, "PROFILE");
  EXPECT_EQ(v[1]->record.color, 3);
  // A closed polyline takes nothing more.
  long long extra = s.add(line(0, 0, -5, 0));
  EXPECT_EQ(joinToPolyline(s.host.drawing(), picked, {extra}), 0);
}

// Polylines at both ends, each way round: a polyline turned round takes
// the bulge and swapped widths of the segment it now runs backwards, and a
// joint takes the segment of the piece that follows it.
TEST(Join, PolylinesKeepTheirBulgesAndWidthsEitherWayRoundAtEitherEnd) {
  Session s;
  long long picked = s.add(line(0, 0, 10, 0));
  std::vector<long long> others = {
      s.add(PolylineGeom{.vertices = {{10, 0, 0.1, 1, 2}, {12, 0, 0.2, 3, 4}, {14, 0}}}),
      s.add(PolylineGeom{.vertices = {{18, 0, 0.3, 5, 6}, {16, 0, 0.4, 7, 8}, {14, 0}}}),
      s.add(PolylineGeom{.vertices = {{-4, 0, 0.5, 1, 2}, {-2, 0, 0.6, 3, 4}, {0, 0}}}),
      s.add(PolylineGeom{.vertices = {{-4, 0, 0.7, 1, 2}, {-6, 0, 0.8, 3, 4}, {-8, 0}}})};
  ASSERT_EQ(pedit(s, picked, others), RTNORM);
  const std::vector<PolyVertex> expected = {
      {-8, 0, -0.8, 4, 3}, {-6, 0, -0.7, 2, 1}, {-4, 0, 0.5, 1, 2},  {-2, 0, 0.6, 3, 4},  {0, 0},
      {10, 0, 0.1, 1, 2},  {12, 0, 0.2, 3, 4},  {14, 0, -0.4, 8, 7}, {16, 0, -0.3, 6, 5}, {18, 0}};
  ASSERT_EQ(s.live().size(), 1u);
  EXPECT_EQ(lastPolyline(s)->vertices, expected);
}

TEST(Join, ReversingKeepsAClosedLoopsStartAndTurnsBulges) {
  PolylineGeom open;
  open.vertices = {{0, 0, 0.5}, {1, 0, 0}, {2, 0, 0.7}};
  reversePolyline(open);
  expectVertices(open, {{2, 0, 0}, {1, 0, -0.5}, {0, 0, 0}});
  PolylineGeom square;
  square.closed = true;
  square.vertices = {{0, 0, 0.1}, {1, 0, 0.2}, {1, 1, 0.3}, {0, 1, 0.4}};
  reversePolyline(square);
  expectVertices(square, {{0, 0, -0.4}, {0, 1, -0.3}, {1, 1, -0.2}, {1, 0, -0.1}});
}

TEST(Join, PeditArgumentForms) {
  Session s;
  // The lead-in form: "pedit", the line, "j", the polyline, two empty answers.
  long long polyline = s.add(PolylineGeom{.vertices = {{10, 0}, {20, 0}}});
  long long leadIn = s.add(line(0, 0, 10, 0));
  ASSERT_EQ(s.host.acedCommand({str("pedit"), ResBuf::ofName(s.name(leadIn)), str("j"),
                                ResBuf::ofName(s.name(polyline)), str(""), str("")}),
            RTNORM);
  ASSERT_EQ(s.live().size(), 1u);
  expectVertices(*lastPolyline(s), {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}});
  // "N" leaves a line alone; a circle cannot be turned; bad arguments fail.
  long long l = s.add(line(0, 5, 1, 5));
  long long circle = s.add(CircleGeom{{0, 0, 0}, 1, 0});
  EXPECT_EQ(s.host.acedCommand({str("PEDIT"), ResBuf::ofName(s.name(l)), str("N")}), RTNORM);
  EXPECT_NE(findEntity(s.host.drawing(), l), nullptr);
  EXPECT_EQ(s.host.acedCommand({str("PEDIT"), ResBuf::ofName(s.name(circle))}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({str("PEDIT"), real(1.0)}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({str("PEDIT"), ResBuf::ofName(s.name(l)), str("Y"), str("Q")}), RTERROR);
}

// The join as first written, kept as the measure of the indexed one: after
// every joint the pieces are scanned again from the first in drawing order.
// Lines only, so that every piece is its two ends. The chain's points, and
// whether it closed.
std::pair<std::vector<PolyVertex>, bool> joinByScanning(const Drawing& d, long long target,
                                                        const std::vector<long long>& ids) {
  auto meet = [](const PolyVertex& a, const PolyVertex& b) {
    return distanceXY({a.x, a.y, 0}, {b.x, b.y, 0}) <= kJoinFuzz;
  };
  auto ends = [&](long long id) {
    const auto* l = findEntity(d, id)->record.as<LineGeom>();
    return std::pair{PolyVertex{l->start.x, l->start.y}, PolyVertex{l->end.x, l->end.y}};
  };
  std::vector<std::pair<PolyVertex, PolyVertex>> pieces;
  for (long long id : ids) {
    if (id != target) pieces.push_back(ends(id));
  }
  std::deque<PolyVertex> chain = {ends(target).first, ends(target).second};
  bool closed = false;
  for (bool atEnd : {true, false}) {
    for (size_t i = 0; i < pieces.size() && !closed;) {
      auto [a, b] = pieces[i];
      PolyVertex& joint = atEnd ? chain.back() : chain.front();
      if (!meet(joint, a) && !meet(joint, b)) {
        ++i;
        continue;
      }
      if (atEnd) {
        chain.push_back(meet(joint, a) ? b : a);
      } else {
        chain.push_front(meet(joint, b) ? a : b);
      }
      pieces.erase(pieces.begin() + static_cast<long>(i));
      closed = chain.size() >= 3 && meet(chain.front(), chain.back());
      i = 0;
    }
  }
  if (closed) chain.pop_back();
  return {{chain.begin(), chain.end()}, closed};
}

// Lines between the points of a small lattice, each end moved by up to 0.6
// times the fuzz in each axis: many branches, ends that meet and ends that
// just miss, and lattice points on the borders of the index's cells. Every
// fourth lattice spreads over more cells than one sort key holds.
TEST(Join, TheIndexedJoinChainsAsScanningInDrawingOrderDoes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> lattice(0, 5);
    std::uniform_real_distribution<double> jitter(-0.6 * kJoinFuzz, 0.6 * kJoinFuzz);
    double spacing = seed % 4 == 0 ? 1e300 : 1.0;
    auto corner = [&] { return std::make_pair(spacing * lattice(random), spacing * lattice(random)); };
    Session s;
    std::vector<long long> ids;
    for (int i = 0; i < 120; ++i) {
      auto [x0, y0] = corner();
      auto [x1, y1] = corner();
      if (x0 == x1 && y0 == y1) continue;
      ids.push_back(
          s.add(line(x0 + jitter(random), y0 + jitter(random), x1 + jitter(random), y1 + jitter(random))));
    }
    long long picked = ids[ids.size() / 2];
    auto [expected, closed] = joinByScanning(s.host.drawing(), picked, ids);
    long long polyline = turnIntoPolyline(s.host.drawing(), picked);
    const int joined = joinToPolyline(s.host.drawing(), polyline, ids);
    EXPECT_EQ(static_cast<size_t>(joined), expected.size() - (closed ? 1 : 2)) << "seed " << seed;
    EXPECT_EQ(s.live().size(), ids.size() - static_cast<size_t>(joined)) << "seed " << seed;
    const auto* pl = findEntity(s.host.drawing(), polyline)->record.as<PolylineGeom>();
    EXPECT_EQ(pl->closed, closed) << "seed " << seed;
    auto points = [](const std::vector<PolyVertex>& vs) {
      std::vector<std::pair<double, double>> xy;
      for (const PolyVertex& v : vs) xy.emplace_back(v.x, v.y);
      return xy;
    };
    EXPECT_EQ(points(pl->vertices), points(expected)) << "seed " << seed;
  }
}

// A long profile drawn in shuffled order: scanning from the front after
// every joint took about ten seconds for these 40,000 pieces.
TEST(Join, ALongShuffledProfileJoinsInLittleTime) {
  constexpr int kPieces = 40000;
  constexpr auto kLimit = std::chrono::seconds(3);
  std::vector<int> order(kPieces);
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  Session s;
  std::vector<long long> ids;
  for (int i : order) {
    double x = i, y = (i % 2) * 0.5;
    ids.push_back(s.add(i % 3 ? line(x, y, x + 1, 0.5 - y) : line(x + 1, 0.5 - y, x, y)));
  }
  auto started = std::chrono::steady_clock::now();
  long long polyline = turnIntoPolyline(s.host.drawing(), ids.front());
  EXPECT_EQ(joinToPolyline(s.host.drawing(), polyline, ids), kPieces - 1);
  EXPECT_LT(std::chrono::steady_clock::now() - started, kLimit);
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
