// A standalone host over string streams for the tests of the host's own
// commands and selections, with short forms of command arguments.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_root.h"

namespace optgrind::standalone::cmdtest {

// The names of the set acedSSGet makes, in its order; empty when it fails.
inline std::vector<EntityName> selectNames(Host& host, const std::string& mode,
                                           const ResBufList* filter = nullptr, const Point3* p1 = nullptr,
                                           const Point3* p2 = nullptr) {
  SelectionSet ss;
  std::vector<EntityName> names;
  long length = 0;
  if (host.acedSSGet(mode, p1, p2, filter, ss) != RTNORM || host.acedSSLength(ss, length) != RTNORM)
    return names;
  for (long i = 0; i < length; ++i) {
    EntityName n;
    EXPECT_EQ(host.acedSSName(ss, i, n), RTNORM);
    names.push_back(n);
  }
  EXPECT_EQ(host.acedSSFree(ss), RTNORM);
  return names;
}

struct Session : testing::HostSession {
  using HostSession::HostSession;
  // Runs the "Command:" prompt over the answers.
  void run() { host.runCommandLoop(); }
  int command(const ResBufList& args) { return host.acedCommand(args); }
  // The live entities in drawing order.
  std::vector<const DrawingEntity*> live() const {
    std::vector<const DrawingEntity*> v;
    for (const auto& e : host.drawing().entities) {
      if (!e.erased) v.push_back(&e);
    }
    return v;
  }
  EntityName name(long long id) const { return EntityName{id, host.drawing().serial}; }
  long long add(EntityGeom geom, const std::string& layer = "0") {
    return appendEntity(host.drawing(), EntityRecord{.layer = layer, .xdata = {}, .geom = std::move(geom)});
  }
  ResBuf var(const std::string& name) {
    ResBuf value;
    EXPECT_EQ(host.acedGetVar(name, value), RTNORM) << name;
    return value;
  }
  // The names in the previous selection set; empty when there is none.
  std::vector<EntityName> previousSet() { return selectNames(host, "P"); }
  SelectionSet setOf(const std::vector<long long>& ids) {
    SelectionSet ss;
    for (long long id : ids) {
      EntityName n = name(id);
      host.acedSSAdd(&n, ss, ss);
    }
    return ss;
  }
};

inline ResBuf str(const std::string& s) { return ResBuf::ofString(RTSTR, s); }
inline ResBuf pt(double x, double y) { return ResBuf::ofPoint(RT3DPOINT, Point3{x, y, 0.0}); }
inline ResBuf real(double v) { return ResBuf::ofReal(RTREAL, v); }

inline LineGeom line(double x0, double y0, double x1, double y1) {
  return LineGeom{{x0, y0, 0}, {x1, y1, 0}};
}
// Angles in degrees, counter-clockwise.
inline ArcGeom arc(double cx, double cy, double r, double startDeg, double endDeg) {
  constexpr double kDeg = 3.14159265358979323846 / 180.0;
  return ArcGeom{{cx, cy, 0}, r, startDeg * kDeg, endDeg * kDeg, 0.0};
}

// Checks the vertices (x, y, bulge) of a polyline.
inline void expectVertices(const PolylineGeom& pl, const std::vector<PolyVertex>& expected) {
  constexpr double kTolerance = 1e-9;
  ASSERT_EQ(pl.vertices.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(pl.vertices[i].x, expected[i].x, kTolerance) << "vertex " << i;
    EXPECT_NEAR(pl.vertices[i].y, expected[i].y, kTolerance) << "vertex " << i;
    EXPECT_NEAR(pl.vertices[i].bulge, expected[i].bulge, kTolerance) << "vertex " << i;
  }
}

}  // namespace optgrind::standalone::cmdtest
