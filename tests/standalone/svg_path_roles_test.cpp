// A stored grinding path in the SVG picture: each element in its role's
// colour and line style, the start point marked, and a legend; other
// polylines as before.
#include "standalone/svg/svg_path_roles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "standalone/svg/svg_palette.h"
#include "standalone/svg/svg_writer.h"

namespace optgrind::standalone {
namespace {

EntityRecord pathRecord(const std::vector<std::string>& tags) {
  EntityRecord r;
  PolylineGeom pl;
  // Leader, ground line, ground arc, lift.
  pl.vertices = {{0, -2, 0}, {0, 0, 0}, {10, 0, 1}, {20, 0, 0}, {20, -5, 0}};
  r.geom = pl;
  r.xdata.push_back(ResBuf::ofString(1001, "my_tag"));
  for (const std::string& key : tags) {
    r.xdata.push_back(ResBuf::ofString(1000, key));
    r.xdata.push_back(ResBuf::ofString(1000, " "));
  }
  return r;
}

std::string picture(const EntityRecord& r) {
  Drawing d = newDrawing();
  appendEntity(d, r);
  std::string path = (std::filesystem::temp_directory_path() / "optgrind_svg_path_roles.svg").string();
  std::string error;
  EXPECT_TRUE(writeSvg(d, path, error)) << error;
  std::ifstream f(path);
  std::stringstream s;
  s << f.rdbuf();
  std::filesystem::remove(path);
  return s.str();
}

TEST(SvgPathRoles, ATaggedPathIsDrawnByRolesWithAStartMarkAndALegend) {
  EntityRecord r = pathRecord({"RAPID_UP4", "RAPID_MOVE5", "RAPID_DN6", "OPT_PATH"});
  EXPECT_TRUE(isStoredPathEntity(r));
  std::string svg = picture(r);
  EXPECT_NE(svg.find("stroke=\"" + svgColor(30) + "\""), std::string::npos);  // the lift
  EXPECT_NE(svg.find("stroke=\"" + svgColor(6) + "\""), std::string::npos);   // the leader
  EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
  EXPECT_NE(svg.find("<circle"), std::string::npos);
  EXPECT_NE(svg.find(">lift</text>"), std::string::npos);
  EXPECT_NE(svg.find(">start point</text>"), std::string::npos);
}

TEST(SvgPathRoles, WithoutThePathTagAPolylineIsDrawnAsBeforeAndGetsNoLegend) {
  EntityRecord r = pathRecord({"RAPID_UP4", "ORDNO"});
  EXPECT_FALSE(isStoredPathEntity(r));
  std::string svg = picture(r);
  EXPECT_EQ(svg.find("stroke-dasharray"), std::string::npos);
  EXPECT_EQ(svg.find("</text>"), std::string::npos);
}

}  // namespace
}  // namespace optgrind::standalone
