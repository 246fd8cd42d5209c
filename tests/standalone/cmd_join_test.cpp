// PEDIT's join: chaining lines, arcs and polylines in the picked entity's
// direction, gaps and branches, closing loops, and the PEDIT argument forms
// the system runs through acedCommand.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>

#include "cmd_test_session.h"
#include "standalone/commands/cmd_join.h"
#include "standalone/model/geom_curves.h"
#include "support/temp_root.h"

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

TEST(Join, PiecesAreTurnedToRunThePickedLinesWayAtBothEnds) {
  Session s;
  long long a = s.add(line(20, 0, 10, 0));  // before the picked line, running against it
  long long picked = s.add(line(0, 0, 10, 0));
  long long b = s.add(arc(0, 5, 5, 90, 270));  // from 0,10 round the left to 0,0
  long long c = s.add(line(0, 10, -5, 10));
  ASSERT_EQ(pedit(s, picked, {a, b, c}), RTNORM);
  auto v = s.live();
  ASSERT_EQ(v.size(), 1u);
  const auto* pl = lastPolyline(s);
  ASSERT_NE(pl, nullptr);
  EXPECT_FALSE(pl->closed);
  // Forward at the end (20,0); at the start the arc ends on 0,0 and comes first.
  expectVertices(*pl, {{-5, 10, 0}, {0, 10, 1}, {0, 0, 0}, {10, 0, 0}, {20, 0, 0}});
}

TEST(Join, ArcsRunClockwiseGetNegativeBulges) {
  Session s;
  long long picked = s.add(line(-10, 0, 0, 0));
  // A quarter arc from 10,10 to 0,0 seen counter-clockwise (centre 10,0):
  // the path from 0,0 to 10,10 runs it clockwise.
  long long quarter = s.add(arc(10, 0, 10, 90, 180));
  long long half = s.add(arc(15, 10, 5, 0, 180));  // 20,10 over the top to 10,10: run clockwise
  ASSERT_EQ(pedit(s, picked, {half, quarter}), RTNORM);
  const auto* pl = lastPolyline(s);
  ASSERT_NE(pl, nullptr);
  expectVertices(*pl, {{-10, 0, 0}, {0, 0, -std::tan(kPi / 8)}, {10, 10, -1}, {20, 10, 0}});
}

TEST(Join, GapsStayApartAndAtABranchTheFirstDrawnIsTaken) {
  Session s;
  long long picked = s.add(line(0, 0, 10, 0));
  long long gap = s.add(line(-0.5, 0, -10, 0));  // half a unit short of the start
  long long up = s.add(line(10, 0, 10, 10));
  long long down = s.add(line(10, 0, 10, -10));
  long long near = s.add(line(10, 10 + kJoinFuzz / 2, 20, 10));  // within the fuzz
  ASSERT_EQ(pedit(s, picked, {near, down, up, gap}), RTNORM);
  const auto* pl = lastPolyline(s);
  ASSERT_NE(pl, nullptr);
  expectVertices(*pl, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {20, 10, 0}});
  Drawing& d = s.host.drawing();
  EXPECT_NE(findEntity(d, gap), nullptr);
  EXPECT_NE(findEntity(d, down), nullptr);
  EXPECT_EQ(findEntity(d, up), nullptr);
  EXPECT_EQ(findEntity(d, picked), nullptr);  // turned into the polyline
}

TEST(Join, AClosedLoopIsClosedAndAPolylineJoinedKeepsItsNameButGoesLast) {
  Session s;
  PolylineGeom start;
  start.vertices = {{0, 0}, {10, 0}};
  EntityRecord r;
  r.layer = "PROFILE";
  r.color = 3;
  r.geom = start;
  long long picked = appendEntity(s.host.drawing(), r);
  long long l1 = s.add(line(0, 10, 10, 10));
  long long l2 = s.add(line(0, 0, 0, 10));
  PolylineGeom side;  // drawn from 10,10 down to 10,0; the loop runs it upwards
  side.vertices = {{10, 10, 0.2}, {10, 0}};
  long long p = s.add(side);
  long long after = s.add(line(50, 50, 60, 60));
  ASSERT_EQ(pedit(s, picked, {l1, l2, p}, false), RTNORM);
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
  PolylineGeom path;
  path.vertices = {{10, 0}, {20, 0}};
  long long polyline = s.add(path);
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
// Lines only, so that every piece is its two ends.
struct ScannedJoin {
  std::vector<PolyVertex> vertices;
  std::vector<long long> joined;
  bool closed = false;
};

ScannedJoin joinByScanning(const Drawing& d, long long target, const std::vector<long long>& ids) {
  auto meet = [](const PolyVertex& a, const PolyVertex& b) {
    return distanceXY({a.x, a.y, 0}, {b.x, b.y, 0}) <= kJoinFuzz;
  };
  std::vector<std::pair<long long, std::pair<PolyVertex, PolyVertex>>> pieces;
  for (long long id : ids) {
    const auto* l = findEntity(d, id)->record.as<LineGeom>();
    if (id != target && l) pieces.push_back({id, {{l->start.x, l->start.y}, {l->end.x, l->end.y}}});
  }
  const auto* l = findEntity(d, target)->record.as<LineGeom>();
  ScannedJoin r;
  std::deque<PolyVertex> chain = {{l->start.x, l->start.y}, {l->end.x, l->end.y}};
  for (bool atEnd : {true, false}) {
    for (size_t i = 0; i < pieces.size() && !r.closed;) {
      auto [a, b] = pieces[i].second;
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
      r.joined.push_back(pieces[i].first);
      pieces.erase(pieces.begin() + static_cast<long>(i));
      r.closed = chain.size() >= 3 && meet(chain.front(), chain.back());
      i = 0;
    }
  }
  if (r.closed) chain.pop_back();
  r.vertices.assign(chain.begin(), chain.end());
  return r;
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
    ScannedJoin expected = joinByScanning(s.host.drawing(), picked, ids);
    long long polyline = turnIntoPolyline(s.host.drawing(), picked);
    ASSERT_EQ(joinToPolyline(s.host.drawing(), polyline, ids), static_cast<int>(expected.joined.size()))
        << "seed " << seed;
    const auto* pl = findEntity(s.host.drawing(), polyline)->record.as<PolylineGeom>();
    EXPECT_EQ(pl->closed, expected.closed) << "seed " << seed;
    ASSERT_EQ(pl->vertices.size(), expected.vertices.size()) << "seed " << seed;
    for (size_t i = 0; i < expected.vertices.size(); ++i) {
      EXPECT_EQ(std::make_pair(pl->vertices[i].x, pl->vertices[i].y),
                std::make_pair(expected.vertices[i].x, expected.vertices[i].y))
          << "seed " << seed << " vertex " << i;
    }
    for (long long id : expected.joined) EXPECT_EQ(findEntity(s.host.drawing(), id), nullptr);
  }
}

// A long profile drawn in shuffled order: scanning from the front after
// every joint took about ten seconds for these 40,000 pieces.
TEST(Join, ALongShuffledProfileJoinsInLittleTime) {
  constexpr int kPieces = 40000;
  constexpr auto kLimit = std::chrono::seconds(3);
  std::vector<LineGeom> lines;
  for (int i = 0; i < kPieces; ++i) {
    double x = i, y = (i % 2) * 0.5;
    lines.push_back(i % 3 ? line(x, y, x + 1, 0.5 - y) : line(x + 1, 0.5 - y, x, y));
  }
  std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
  Session s;
  std::vector<long long> ids;
  for (const LineGeom& l : lines) ids.push_back(s.add(l));
  auto started = std::chrono::steady_clock::now();
  long long polyline = turnIntoPolyline(s.host.drawing(), ids.front());
  EXPECT_EQ(joinToPolyline(s.host.drawing(), polyline, ids), kPieces - 1);
  EXPECT_LT(std::chrono::steady_clock::now() - started, kLimit);
  const auto* pl = findEntity(s.host.drawing(), polyline)->record.as<PolylineGeom>();
  ASSERT_EQ(pl->vertices.size(), static_cast<size_t>(kPieces + 1));
  // The polyline runs the picked line's way.
  const LineGeom& picked = lines.front();
  EXPECT_EQ(pl->vertices.front().x, picked.start.x < picked.end.x ? 0.0 : kPieces);
}

// Runs a Python one-off with ezdxf over a saved drawing; the script's output,
// or nothing when Python or ezdxf are missing.
std::string readWithEzdxf(const std::string& dir, const std::string& dxf) {
  std::string script = dir + "/read.py", output = dir + "/read.txt";
  std::ofstream(script)
      << "import sys, ezdxf\n"
         "doc = ezdxf.readfile(sys.argv[1])\n"
         "for e in doc.modelspace():\n"
         "    print(e.dxftype(), e.dxf.layer, int(e.closed) if e.dxftype() == 'LWPOLYLINE' else '')\n"
         "    if e.dxftype() == 'LWPOLYLINE':\n"
         "        for x, y, b in e.get_points('xyb'):\n"
         "            print('%.6f %.6f %.6f' % (x, y, b))\n";
  std::string command = "/usr/bin/python3 " + script + " " + dxf + " > " + output + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "";
  std::ifstream in(output);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A closed profile of lines and arcs drawn in shuffled order and mixed
// directions, joined by picking one line, then saved.
TEST(Join, ProfileDrawnPieceByPieceJoinsIntoOneClosedPolylineRunningThePickedLinesWay) {
  optgrind::testing::TempDir dir;
  std::string file = dir.path() + "/profile.dxf";
  Session s(
      "LINE\n0,20\n10,20\n\n"         // top left, drawn against the path
      "LINE\n15,0\n30,0\n\n"          // bottom right: the line picked
      "ARC\nC\n30,10\n30,0\n30,20\n"  // right end, counter-clockwise
      "LINE\n20,20\n30,20\n\n"        // top right, drawn against the path
      "ARC\n0,0\n-10,10\n0,20\n"      // left end, given clockwise
      "LINE\n15,0\n0,0\n\n"           // bottom left, drawn against the path
      "ARC\n10,20\n15,15\n20,20\n"    // a notch in the top, run clockwise by the path
      "PEDIT\n22,0\nY\nJ\nALL\n\nX\n"
      "SAVE\n" +
      file + "\n");
  s.run();
  auto v = s.live();
  ASSERT_EQ(v.size(), 1u) << s.out.str();
  const auto* pl = v[0]->record.as<PolylineGeom>();
  ASSERT_NE(pl, nullptr);
  EXPECT_TRUE(pl->closed);
  std::vector<PolyVertex> expected = {{15, 0, 0},  {30, 0, 1}, {30, 20, 0}, {20, 20, -1},
                                      {10, 20, 0}, {0, 20, 1}, {0, 0, 0}};
  expectVertices(*pl, expected);

  std::string read = readWithEzdxf(dir.path(), file);
  if (read.empty()) GTEST_SKIP() << "python3 with ezdxf is not available";
  std::istringstream rows(read);
  std::string type, layer;
  int closed = 0;
  rows >> type >> layer >> closed;
  EXPECT_EQ(type, "LWPOLYLINE");
  EXPECT_EQ(layer, "0");
  EXPECT_EQ(closed, 1);
  constexpr double kWrittenPrecision = 1e-6;
  for (const auto& p : expected) {
    PolyVertex got;
    ASSERT_TRUE(rows >> got.x >> got.y >> got.bulge) << read;
    EXPECT_NEAR(got.x, p.x, kWrittenPrecision);
    EXPECT_NEAR(got.y, p.y, kWrittenPrecision);
    EXPECT_NEAR(got.bulge, p.bulge, kWrittenPrecision);
  }
  std::string more;
  EXPECT_FALSE(rows >> more) << read;
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
