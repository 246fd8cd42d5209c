// The marks of opt_mark: every corner mark is L long, centred on its vertex
// and on the corner's bisector (across the path where it runs on smoothly);
// middle marks only on segments longer than S that are not axis-parallel.
#include "commands/mark_lines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "commands/coordinate_list.h"
#include "geometry/primitives.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;

struct Vec {
  double x, y;
};
Vec unit(double deg) { return {std::cos(radiansFromDegrees(deg)), std::sin(radiansFromDegrees(deg))}; }
Vec along(const LineRec& l) {
  double len = distance(l.start, l.end);
  return {(l.end.x - l.start.x) / len, (l.end.y - l.start.y) / len};
}
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }

// Running directions (degrees) of a segment at its ends.
double runningAt(const MarkSegment& s, bool atEnd) {
  if (s.kind != kKindArc) return degreesFromRadians(angleRad(s.start, s.end));
  double radial = degreesFromRadians(angleRad(s.centre, atEnd ? s.end : s.start));
  return s.sweep > 0 ? radial + 90 : radial - 90;
}

PolylineGeom polyline(std::vector<PolyVertex> v, bool closed) {
  return {.vertices = std::move(v), .closed = closed};
}

void expectCornerMark(Host& host, const MarkSegment& in, const MarkSegment& out, const std::string& what) {
  LineRec mark = cornerMark(host, in, out, 4.0);
  ASSERT_EQ(mark.valid, 1) << what;
  EXPECT_NEAR(distance(mark.start, mark.end), 4.0, 1e-4) << what;
  EXPECT_NEAR((mark.start.x + mark.end.x) / 2, in.end.x, 1e-4) << what;
  EXPECT_NEAR((mark.start.y + mark.end.y) / 2, in.end.y, 1e-4) << what;
  Vec back = unit(runningAt(in, true) + 180), forward = unit(runningAt(out, false));
  Vec bisector = {back.x + forward.x, back.y + forward.y};
  if (std::hypot(bisector.x, bisector.y) < 1e-6) {  // runs on smoothly: across the path
    EXPECT_NEAR(cross(along(mark), forward), 1.0 * (cross(along(mark), forward) > 0 ? 1 : -1), 1e-4) << what;
  } else {
    EXPECT_NEAR(cross(along(mark), bisector), 0.0, 1e-4) << what;
  }
}

TEST(CornerMarks, LieOnTheBisectorOrAcrossASmoothRun) {
  HostWithRoot env;
  // Lines meeting at sharp, right, obtuse and reflex corners, both turns.
  std::vector<PolyVertex> zigzag = {{0, 0}, {10, 5}, {20, 0}, {20, 12}, {5, 14}, {3, 30}, {3, 40}, {3, 50}};
  std::vector<MarkSegment> lines = markSegments(polyline(zigzag, false));
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    expectCornerMark(env.host, lines[i], lines[i + 1], "lines at vertex " + std::to_string(i + 1));
  }
  // Arcs: tangent joints of a slot, a line running into an arc at an angle,
  // two arcs meeting at a cusp-free corner, both arc directions.
  std::vector<MarkSegment> slot =
      markSegments(polyline({{0, 0, 0}, {20, 0, 1}, {20, 10, 0}, {0, 10, 1}}, true));
  for (size_t i = 0; i < slot.size(); ++i) {
    expectCornerMark(env.host, slot[i], slot[(i + 1) % slot.size()], "slot joint " + std::to_string(i));
  }
  std::vector<MarkSegment> mixed =
      markSegments(polyline({{0, 0, 0}, {10, 0, 0.4}, {20, 5, -0.7}, {30, 0, 0.2}, {40, 10, 0}}, false));
  for (size_t i = 0; i + 1 < mixed.size(); ++i) {
    expectCornerMark(env.host, mixed[i], mixed[i + 1], "mixed joint " + std::to_string(i));
  }
}

TEST(MiddleMarks, OnlyAcrossLongObliqueLinesAndArcs) {
  std::vector<MarkSegment> s = markSegments(polyline(
      {{0, 0, 0}, {3, 4, 0}, {13, 4, 0}, {13, 14, 0}, {16, 18, 0}, {26, 18, 1}, {36, 18, 0}}, false));
  // 3-4-5 line exactly S long, horizontal, vertical, oblique S long, horizontal, half circle.
  // {segment, S, valid}.
  const std::tuple<size_t, double, int> cases[] = {{0, 5.0, 0}, {0, 4.999, 1}, {1, 1.0, 0},
                                                   {2, 1.0, 0}, {3, 5.0, 0},   {4, 5.0, 0}};
  for (auto [i, limit, valid] : cases)
    EXPECT_EQ(middleMark(s[i], 2.0, limit).valid, valid) << i << " " << limit;
  LineRec arc = middleMark(s[5], 2.0, 5.0);
  ASSERT_EQ(arc.valid, 1);
  // Radial through the arc's middle point, centred on the arc.
  PointRec m = segmentMiddle(s[5]);
  EXPECT_NEAR(std::fabs(cross(along(arc), along(makeLine(s[5].centre, m)))), 0.0, 1e-9);
  EXPECT_NEAR((arc.start.x + arc.end.x) / 2, m.x, 1e-9);
  EXPECT_NEAR((arc.start.y + arc.end.y) / 2, m.y, 1e-9);
  LineRec oblique = middleMark(s[0], 2.0, 1.0);
  EXPECT_NEAR(oblique.start.x + oblique.end.x, 3.0, 1e-9);
  EXPECT_NEAR(cross(along(oblique), along(makeLine(s[0].start, s[0].end))), 1.0, 1e-9);
}

TEST(ListedPoints, SegmentStartsMiddlesAndAnOpenEnd) {
  PolylineGeom square = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
  EXPECT_EQ(listedPoints(square, 1.0).size(), 4u);  // all sides axis-parallel, no end point
  PolylineGeom open = polyline({{0, 0}, {10, 5}, {20, 0}, {30, 5}}, false);
  std::vector<PointRec> points = listedPoints(open, 20.0);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(coordinateLine(4, points[3]), "P4 X= 30.000 Y=  5.000 ");
  EXPECT_EQ(listedPoints(open, 5.0).size(), 7u);  // each oblique segment adds its middle
  // A closed polyline drawn open, ending at its start, adds no end point.
  EXPECT_EQ(listedPoints(polyline({{0, 0}, {10, 5}, {20, 0}, {0, 0}}, false), 100.0).size(), 3u);
}

}  // namespace
}  // namespace optgrind
