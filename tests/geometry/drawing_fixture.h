// A standalone host with a drawing built by the test, and short ways to put
// lines, arcs, circles and polylines into it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "geometry/primitives.h"
#include "geometry/records.h"
#include "standalone/dxf/dxf_io.h"
#include "support/temp_root.h"

namespace optgrind::testing {

struct DrawingTest : ::testing::Test {
  HostWithRoot env;
  Host& host = env.host;

  EntityRef add(EntityGeom geom, const std::string& layer = "0") {
    EntityRecord record;
    record.layer = layer;
    record.geom = std::move(geom);
    EntityName name;
    EXPECT_EQ(host.acdbEntMake(record, name), RTNORM);
    return wholeEntityRef(name);
  }
  EntityRef addLine(double x1, double y1, double x2, double y2, const std::string& layer = "0") {
    return add(LineGeom{{x1, y1, 0}, {x2, y2, 0}, 0}, layer);
  }
  // Angles in degrees.
  EntityRef addArc(double cx, double cy, double r, double fromDeg, double toDeg) {
    return add(ArcGeom{{cx, cy, 0}, r, radiansFromDegrees(fromDeg), radiansFromDegrees(toDeg), 0});
  }
  EntityRef addCircle(double cx, double cy, double r) { return add(CircleGeom{{cx, cy, 0}, r, 0}); }
  // Vertices as {x, y, bulge}.
  EntityRef addPolyline(const std::vector<std::array<double, 3>>& vertices, bool closed,
                        const std::string& layer = "0") {
    PolylineGeom geom;
    for (const auto& v : vertices) geom.vertices.push_back(PolyVertex{v[0], v[1], v[2], 0, 0});
    geom.closed = closed;
    return add(geom, layer);
  }
  int addLayer(const std::string& name, int color = 7, bool off = false, bool locked = false) {
    LayerRecord layer;
    layer.name = name;
    layer.color = color;
    layer.off = off;
    layer.locked = locked;
    int id = -1;
    EXPECT_EQ(host.addLayer(layer, id), RTNORM);
    return id;
  }
  EntityRef addSquare(bool closed = true) {
    return addPolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, closed);
  }
  // The drawing that tests/data/geometry/foreign_drawing.py writes with
  // ezdxf, opened in place of the test's drawing: its entities in order.
  std::vector<EntityRef> openForeignDrawing() {
    std::string path = env.root.path() + "/foreign.dxf";
    std::string command = "/usr/bin/python3 " OPTGRIND_TEST_DATA "/geometry/foreign_drawing.py " + path;
    EXPECT_EQ(std::system(command.c_str()), 0);
    standalone::Outcome loaded = standalone::loadDxf(path, env.host.drawing());
    EXPECT_TRUE(loaded.ok) << loaded.where();
    std::vector<EntityRef> out;
    EntityName name;
    for (int rc = host.acdbEntNext(nullptr, name); rc == RTNORM;) {
      out.push_back(wholeEntityRef(name));
      EntityName after = name;
      rc = host.acdbEntNext(&after, name);
    }
    return out;
  }
  EntityRecord record(const EntityRef& ref) {
    EntityRecord out;
    EXPECT_EQ(host.acdbEntGet(ref.name, out), RTNORM);
    return out;
  }
  PolylineGeom polyline(const EntityRef& ref) {
    EntityRecord r = record(ref);
    const PolylineGeom* p = r.as<PolylineGeom>();
    return p ? *p : PolylineGeom{};
  }
  void setVar(const std::string& name, long long value) {
    ASSERT_EQ(host.acedSetVar(name, ResBuf::ofInt(RTSHORT, value)), RTNORM);
  }
  static EntityRef segmentRef(const EntityRef& whole, int segment, EntityKind kind) {
    EntityRef ref = whole;
    ref.segment = segment;
    ref.kind = kind;
    return ref;
  }
};

inline void expectPoint(const PointRec& p, double x, double y, double tolerance = 1e-9) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}

// The vertices of a polyline as {x, y, bulge}.
inline void expectVertices(const PolylineGeom& p, const std::vector<std::array<double, 3>>& expected) {
  ASSERT_EQ(p.vertices.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(p.vertices[i].x, expected[i][0], 1e-9) << "vertex " << i;
    EXPECT_NEAR(p.vertices[i].y, expected[i][1], 1e-9) << "vertex " << i;
    EXPECT_NEAR(p.vertices[i].bulge, expected[i][2], 1e-9) << "vertex " << i;
  }
}

}  // namespace optgrind::testing
