// The host commands the system runs through acedCommand (move with a pause,
// erase, text, hatch, select, zoom, ucs), CMDECHO, and the editing, layer,
// list and file commands typed at "Command:".
#include <cmath>
#include <filesystem>

#include "cmd_test_session.h"
#include "support/temp_root.h"

namespace optgrind::standalone::cmdtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

const LineGeom* lineOf(Session& s, long long id) {
  const DrawingEntity* e = findEntity(s.host.drawing(), id);
  return e ? e->record.as<LineGeom>() : nullptr;
}

TEST(CommandArgs, MoveTakesASetOrANameAndAPausedSecondPoint) {
  Session s("5,2\n");
  long long a = s.add(line(0, 0, 1, 0));
  long long b = s.add(line(0, 1, 1, 1));
  long long untouched = s.add(line(9, 9, 8, 8));
  ASSERT_EQ(s.host.acedCommand({str("move"), ResBuf::ofSet(s.setOf({a})), ResBuf::ofName(s.name(b)), str(""),
                                pt(0, 0), str(PAUSE)}),
            RTNORM);
  EXPECT_EQ(lineOf(s, a)->start, (Point3{5, 2, 0}));
  EXPECT_EQ(lineOf(s, b)->end, (Point3{6, 3, 0}));
  EXPECT_EQ(lineOf(s, untouched)->start, (Point3{9, 9, 0}));
  // The pause's prompt is the command's own.
  EXPECT_NE(s.out.str().find("Specify second point or <use first point as displacement>: 5,2"),
            std::string::npos);
  // The moved entities are the previous selection.
  SelectionSet previous;
  ASSERT_EQ(s.host.acedSSGet("P", nullptr, nullptr, nullptr, previous), RTNORM);
  long length = 0;
  s.host.acedSSLength(previous, length);
  EXPECT_EQ(length, 2);
  // A paused point the user cancels cancels the command; nothing moves.
  EXPECT_EQ(s.host.acedCommand({str("move"), ResBuf::ofName(s.name(a)), str(""), pt(0, 0), str(PAUSE)}),
            RTCAN);
  EXPECT_EQ(lineOf(s, a)->start, (Point3{5, 2, 0}));
}

TEST(CommandArgs, EraseTextAndBadArguments) {
  Session s;
  long long a = s.add(line(0, 0, 1, 0));
  ASSERT_EQ(s.host.acedCommand({str("erase"), ResBuf::ofSet(s.setOf({a})), str("")}), RTNORM);
  EXPECT_TRUE(s.live().empty());
  ASSERT_EQ(s.host.acedCommand({str("text"), pt(1, 2), real(3.5), real(30), str("P1")}), RTNORM);
  ASSERT_EQ(s.live().size(), 1u);
  const auto* t = s.live()[0]->record.as<TextGeom>();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->position, (Point3{1, 2, 0}));
  EXPECT_EQ(t->height, 3.5);
  EXPECT_NEAR(t->rotation, kPi / 6, 1e-12);
  EXPECT_EQ(t->text, "P1");
  EXPECT_EQ(s.host.acedCommand({str("frobnicate")}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({real(1)}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({str("text"), str("here")}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({str("move"), real(2)}), RTERROR);
  EXPECT_EQ(s.host.acedCommand({str("text"), pt(0, 0), str("tall")}), RTERROR);
  EXPECT_EQ(s.live().size(), 1u);
  // UCS takes its answers and stays in the world system.
  EXPECT_EQ(s.host.acedCommand({str("ucs"), str("_W")}), RTNORM);
  EXPECT_EQ(s.host.acedCommand({str("_UCS"), str("")}), RTNORM);
  EXPECT_EQ(s.host.acedCommand({str("ucs"), str("o"), pt(5, 5), str(PAUSE)}), RTNORM);
  EXPECT_NE(s.out.str().find("Only the world coordinate system is available."), std::string::npos);
}

TEST(CommandArgs, SolidHatchOnClosedPolylinesAndCircles) {
  Session s;
  PolylineGeom square;
  square.closed = true;
  square.vertices = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  long long p = s.add(square);
  long long c = s.add(CircleGeom{{10, 0, 0}, 2, 0});
  long long open = s.add(line(0, 0, 5, 5));
  ASSERT_EQ(s.host.acedCommand({str("hatch"), str("S"), ResBuf::ofSet(s.setOf({p, c, open})), str("")}),
            RTNORM);
  const auto* h = s.live().back()->record.as<HatchGeom>();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->solid);
  ASSERT_EQ(h->loops.size(), 2u);
  EXPECT_EQ(h->loops[0].vertices.size(), 4u);
  expectVertices(PolylineGeom{h->loops[1].vertices}, {{12, 0, 1}, {8, 0, 1}});
  size_t before = s.live().size();
  EXPECT_EQ(s.host.acedCommand({str("hatch"), str("S"), ResBuf::ofSet(s.setOf({open})), str("")}), RTERROR);
  EXPECT_EQ(s.live().size(), before);
}

TEST(CommandArgs, SelectWithAPauseBecomesThePreviousSelection) {
  Session s("20,0\n\n");
  long long a = s.add(line(0, 0, 1, 0));
  long long b = s.add(line(20, -1, 20, 1));
  s.add(line(40, 0, 41, 0));
  ASSERT_EQ(s.host.acedCommand({str("select"), ResBuf::ofSet(s.setOf({a})), str(PAUSE)}), RTNORM);
  SelectionSet previous;
  ASSERT_EQ(s.host.acedSSGet("P", nullptr, nullptr, nullptr, previous), RTNORM);
  long length = 0;
  s.host.acedSSLength(previous, length);
  ASSERT_EQ(length, 2);
  EXPECT_EQ(s.host.acedSSMemb(s.name(a), previous), RTNORM);
  EXPECT_EQ(s.host.acedSSMemb(s.name(b), previous), RTNORM);
}

TEST(CommandArgs, ZoomWindowPreviousAndExtents) {
  Session s;
  auto var = [&](const char* name) {
    ResBuf value;
    s.host.acedGetVar(name, value);
    return value;
  };
  Point3 center = var("VIEWCTR").asPoint();
  double size = var("VIEWSIZE").asReal();
  ASSERT_EQ(s.host.acedCommand({str("'zoom"), str("W"), pt(-1, -1), pt(1, 4)}), RTNORM);
  EXPECT_EQ(std::make_pair(var("VIEWCTR").asPoint(), var("VIEWSIZE").asReal()),
            std::make_pair(Point3{0, 1.5, 0}, 5.0));
  ASSERT_EQ(s.host.acedCommand({str("'zoom"), str("P")}), RTNORM);
  EXPECT_EQ(std::make_pair(var("VIEWCTR").asPoint(), var("VIEWSIZE").asReal()), std::make_pair(center, size));
  s.add(line(100, 100, 300, 100));
  ASSERT_EQ(s.host.acedCommand({str("'_zoom"), str("E")}), RTNORM);
  EXPECT_EQ(var("VIEWCTR").asPoint(), (Point3{200, 100, 0}));
  EXPECT_NEAR(var("VSMIN").asPoint().x, 100, 1e-9);  // the width fills the view
  EXPECT_EQ(s.host.acedCommand({str("'zoom"), str("W"), pt(1, 1), pt(1, 1)}), RTERROR);
}

TEST(CommandArgs, CmdechoZeroSilencesThePrompts) {
  Session s;
  long long a = s.add(line(0, 0, 1, 0));
  s.host.acedCommand({str("erase"), ResBuf::ofName(s.name(a)), str("")});
  EXPECT_NE(s.out.str().find("Select objects: 1 found"), std::string::npos);
  ASSERT_EQ(s.host.acedSetVar("CMDECHO", ResBuf::ofInt(RTSHORT, 0)), RTNORM);
  std::string before = s.out.str();
  long long b = s.add(line(0, 0, 1, 0));
  ASSERT_EQ(s.host.acedCommand({str("move"), ResBuf::ofName(s.name(b)), str(""), pt(0, 0), pt(1, 1)}),
            RTNORM);
  EXPECT_EQ(s.out.str(), before);
}

TEST(TypedCommands, EraseMoveAndLockedLayers) {
  Session s(
      "LAYER\nM\nFIXED\nLO\nFIXED\nS\n0\n\n"
      "ERASE\n0,0\n\n"
      "MOVE\nALL\n\n0,0\n@0,10\n");
  long long a = s.add(line(0, 0, 1, 0));
  long long b = s.add(line(5, 5, 6, 5));
  long long locked = s.add(line(20, 0, 21, 0), "FIXED");
  s.run();
  EXPECT_EQ(findEntity(s.host.drawing(), a), nullptr);
  EXPECT_EQ(lineOf(s, b)->start, (Point3{5, 15, 0}));
  EXPECT_EQ(lineOf(s, locked)->start, (Point3{20, 0, 0}));
  EXPECT_NE(s.out.str().find("1 was on a locked layer."), std::string::npos);
  ResBuf current;
  s.host.acedGetVar("CLAYER", current);
  EXPECT_EQ(current.asString(), "0");
}

TEST(TypedCommands, LayerOptionsAndListing) {
  Session s("LAYER\nmake\nA1\nm\nA2\nOFF\nA*\nON\nA2\nset\nNOPE\n?\n\n");
  s.run();
  const Drawing& d = s.host.drawing();
  ASSERT_NE(findLayer(d, "A1"), nullptr);
  EXPECT_TRUE(findLayer(d, "A1")->off);
  EXPECT_FALSE(findLayer(d, "A2")->off);
  EXPECT_NE(s.out.str().find("Cannot find layer \"NOPE\"."), std::string::npos);
  EXPECT_NE(s.out.str().find("Current layer: \"A2\""), std::string::npos);
}

TEST(TypedCommands, ListShowsDataAndExtendedData) {
  Session s("LIST\nALL\n\n");
  EntityRecord r;
  r.geom = line(0, 0, 3, 4);
  registerApp(s.host.drawing(), "my_tag");
  r.xdata = {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "OPT_PATH")};
  appendEntity(s.host.drawing(), r);
  s.run();
  std::string out = s.out.str();
  EXPECT_NE(out.find("LINE"), std::string::npos);
  EXPECT_NE(out.find("Length = 5.0000"), std::string::npos);
  EXPECT_NE(out.find("\"my_tag\""), std::string::npos);
  EXPECT_NE(out.find("\"OPT_PATH\""), std::string::npos);
}

TEST(TypedCommands, SaveOpenAndSvgFiles) {
  optgrind::testing::TempDir dir;
  std::string dxf = dir.path() + "/part.dxf";
  Session s("SAVE\n\nCIRCLE\n0,0\n5\nSAVE\n" + dxf + "\nERASE\nALL\n\nOPEN\n" + dxf + "\nSVG\n\nOPEN\n" +
            dir.path() + "/missing.dxf\nSAVE\n\n");
  s.run();
  std::string out = s.out.str();
  EXPECT_NE(out.find("The drawing has no file name yet"), std::string::npos);
  ASSERT_EQ(s.live().size(), 1u) << out;  // as saved, before the erase
  EXPECT_NE(s.live()[0]->record.as<CircleGeom>(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(dir.path() + "/part.svg"));
  EXPECT_NE(out.find("Cannot open"), std::string::npos);
  EXPECT_EQ(s.host.drawing().path, dxf);  // the failed open left the drawing alone
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
