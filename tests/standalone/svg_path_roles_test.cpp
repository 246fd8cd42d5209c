// A stored grinding path in the SVG picture: each element in its role's
// colour and line style, the start point marked, and a legend; other
// polylines as before.
#include "standalone/svg/svg_path_roles.h"

#include <gtest/gtest.h>

#include "standalone/svg/svg_writer.h"
#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

EntityRecord polyline(const std::vector<PolyVertex>& vertices, const std::vector<std::string>& tags) {
  EntityRecord r{.xdata = {ResBuf::ofString(1001, "my_tag")}, .geom = PolylineGeom{.vertices = vertices}};
  for (const std::string& key : tags) {
    r.xdata.push_back(ResBuf::ofString(1000, key));
    r.xdata.push_back(ResBuf::ofString(1000, " "));
  }
  return r;
}

// Leader, lead-in, two ground lines, over-cut, lift, rapid, lowering,
// approach, ground line, lift; the piece cut off runs from the tool-up
// point (20,10) to the tool-down point (5,20).
EntityRecord twoLiftPath(const std::vector<std::string>& tags) {
  const std::vector<PolyVertex> vertices = {{5, -2},   {0, -5},  {5, 0},  {20, 0}, {20, 10}, {20, 15},
                                            {20, -10}, {8, -10}, {8, 20}, {5, 20}, {0, 20},  {0, -5}};
  return polyline(vertices, tags);
}
const std::vector<std::string> kLiftTags = {"RAPID_UP6", "RAPID_MOVE7", "RAPID_DN8", "RAPID_UP11",
                                            "OPT_PATH"};

TEST(SvgPathRoles, EntryMovesAndOverCutsAreToldFromTheGroundByThePiecesCutOff) {
  using R = PathRole;
  const std::vector<R> withPiece = {R::Approach, R::Approach, R::Ground,   R::Ground, R::OverCut, R::Lift,
                                    R::Rapid,    R::Lowering, R::Approach, R::Ground, R::Lift};
  std::vector<R> pieceErased = withPiece;
  pieceErased[4] = pieceErased[8] = R::Ground;  // the leader and lead-in need no piece
  Drawing d = newDrawing();
  appendEntity(d, twoLiftPath(kLiftTags));
  long long piece = appendEntity(d, polyline({{20, 10}, {20, 20}, {5, 20}}, {}));
  EXPECT_EQ(pathElementRoles(d, entityRecord(d.entities[0])), withPiece);
  eraseEntity(d, piece);
  EXPECT_EQ(pathElementRoles(d, entityRecord(d.entities[0])), pieceErased);
  // A tag the NC run reads outweighs the shape.
  EXPECT_EQ(pathElementRoles(d, twoLiftPath({"RAPID_UP2", "APPROACH10", "OPT_PATH"}))[9], R::Approach);
}

std::string picture(const EntityRecord& r) {
  Drawing d = newDrawing();
  appendEntity(d, r);
  testing::TempDir dir;
  Outcome written = writeSvg(d, dir.path() + "/roles.svg");
  EXPECT_TRUE(written) << written.where();
  return testing::readFile(dir.path() + "/roles.svg");
}

TEST(SvgPathRoles, APathIsDrawnByRolesWithALegendAndAnUntaggedPolylineAsBefore) {
  std::string svg = picture(twoLiftPath(kLiftTags));
  for (const char* shown :
       {"class=\"lift\"", "stroke-dasharray", "<circle", ">over-cut</text>", ">start point</text>"})
    EXPECT_NE(svg.find(shown), std::string::npos) << shown;
  svg = picture(twoLiftPath({"RAPID_UP4", "ORDNO"}));
  EXPECT_EQ(svg.find("stroke-dasharray"), std::string::npos);
  EXPECT_EQ(svg.find("</text>"), std::string::npos);
}

}  // namespace
}  // namespace optgrind::standalone
