// Entity records and a standalone host for the geometry library's tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/temp_root.h"

namespace optgrind::standalone::test {

// Hand-worked answers are exact to well within this.
constexpr double kAnswerTolerance = 1e-9;

inline double rad(double degrees) { return degrees * std::numbers::pi / 180.0; }

inline EntityRecord entityOf(EntityGeom geom) { return EntityRecord{.xdata = {}, .geom = std::move(geom)}; }
inline EntityRecord lineOf(Point3 a, Point3 b) { return entityOf(LineGeom{.start = a, .end = b}); }
inline EntityRecord arcOf(Point3 c, double r, double startDeg, double endDeg) {
  return entityOf(ArcGeom{.center = c, .radius = r, .startAngle = rad(startDeg), .endAngle = rad(endDeg)});
}
inline EntityRecord circleOf(Point3 c, double r) { return entityOf(CircleGeom{.center = c, .radius = r}); }
inline EntityRecord polylineOf(std::vector<PolyVertex> vertices, bool closed = false) {
  return entityOf(PolylineGeom{.vertices = std::move(vertices), .closed = closed});
}
inline EntityRecord textOf(const std::string& text, Point3 position, double height, double rotationDeg) {
  return entityOf(TextGeom{
      .position = position, .alignPoint = {}, .height = height, .rotation = rad(rotationDeg), .text = text});
}

inline void expectPoint(const Point3& actual, const Point3& expected) {
  EXPECT_NEAR(actual.x, expected.x, kAnswerTolerance);
  EXPECT_NEAR(actual.y, expected.y, kAnswerTolerance);
  EXPECT_NEAR(actual.z, expected.z, kAnswerTolerance);
}

inline void expectPoints(const std::vector<Point3>& actual, const std::vector<Point3>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) expectPoint(actual[i], expected[i]);
}

// A standalone host over string streams; the geometry is asked through it.
struct GeomTest : testing::HostTest {
  std::vector<Point3> intersect(const EntityRecord& a, const EntityRecord& b, int extend) {
    std::vector<Point3> points;
    EXPECT_EQ(host.intersectWith(a, b, extend, points), RTNORM);
    return points;
  }
  Point3 closest(const EntityRecord& curve, Point3 given, bool extend) {
    Point3 p;
    EXPECT_EQ(host.getClosestPointTo(curve, given, extend, p), RTNORM);
    return p;
  }
  // The box as {min, max}.
  std::vector<Point3> extents(const EntityRecord& e) {
    Point3 min;
    Point3 max;
    EXPECT_EQ(host.getGeomExtents(e, min, max), RTNORM);
    return {min, max};
  }
};

}  // namespace optgrind::standalone::test
