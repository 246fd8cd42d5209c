// Crossing counts on a path long enough that its segments are boxed in runs.
#include "pathdef/path_edit.h"

#include <gtest/gtest.h>

#include "geometry/entity_refs.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

TEST(CountCrossings, AHalfCircleBulgingFarFromItsRunStillCounts) {
  // Thirty straight steps along y = 0 but for a half circle from (100,0) to
  // (110,0) that dips to y = -5; a line at y = -4.9 cuts it twice.
  testing::HostWithRoot env;
  PolylineGeom path;
  for (int i = 0; i <= 30; ++i) path.vertices.push_back(PolyVertex{i * 10.0, 0, i == 10 ? 1.0 : 0.0});
  EntityRecord pathRecord, lineRecord;
  pathRecord.geom = path;
  lineRecord.geom = LineGeom{{100.5, -4.9, 0}, {109.5, -4.9, 0}, 0};
  EntityName pathName, lineName;
  ASSERT_EQ(env.host.acdbEntMake(pathRecord, pathName), RTNORM);
  ASSERT_EQ(env.host.acdbEntMake(lineRecord, lineName), RTNORM);
  EXPECT_EQ(
      countCrossings(env.host, wholeEntityRef(lineName, kKindLine), wholeEntityRef(pathName, kKindPolyline)),
      2);
}

}  // namespace
}  // namespace optgrind
