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

// MOVE and SELECT take a set or a name and a pause; what they took becomes
// the previous selection.
TEST(CommandArgs, MoveAndSelectTakeSetsNamesAndPauses) {
  Session s("5,2\n20,0\n\n");
  long long a = s.add(line(0, 0, 1, 0));
  long long b = s.add(line(0, 1, 1, 1));
  long long untouched = s.add(line(9, 9, 8, 8));
  long long picked = s.add(line(20, -1, 20, 1));
  ASSERT_EQ(s.command({str("move"), ResBuf::ofSet(s.setOf({a})), ResBuf::ofName(s.name(b)), str(""), pt(0, 0),
                       str(PAUSE)}),
            RTNORM);
  EXPECT_EQ(lineOf(s, a)->start, (Point3{5, 2, 0}));
  EXPECT_EQ(lineOf(s, b)->end, (Point3{6, 3, 0}));
  EXPECT_EQ(lineOf(s, untouched)->start, (Point3{9, 9, 0}));
  // The pause's prompt is the command's own.
  EXPECT_TRUE(s.said("Specify second point or <use first point as displacement>: 5,2"));
  EXPECT_EQ(s.previousSet(), (std::vector<EntityName>{s.name(a), s.name(b)}));
  ASSERT_EQ(s.command({str("select"), ResBuf::ofSet(s.setOf({a})), str(PAUSE)}), RTNORM);
  EXPECT_EQ(s.previousSet(), (std::vector<EntityName>{s.name(a), s.name(picked)}));
  // A paused point the user cancels cancels the command; nothing moves.
  EXPECT_EQ(s.command({str("move"), ResBuf::ofName(s.name(a)), str(""), pt(0, 0), str(PAUSE)}), RTCAN);
  EXPECT_EQ(lineOf(s, a)->start, (Point3{5, 2, 0}));
}

TEST(CommandArgs, EraseTextAndBadArguments) {
  Session s;
  long long a = s.add(line(0, 0, 1, 0));
  ASSERT_EQ(s.command({str("erase"), ResBuf::ofSet(s.setOf({a})), str("")}), RTNORM);
  EXPECT_TRUE(s.live().empty());
  ASSERT_EQ(s.command({str("text"), pt(1, 2), real(3.5), real(30), str("P1")}), RTNORM);
  ASSERT_EQ(s.live().size(), 1u);
  const auto* t = s.live()[0]->record.as<TextGeom>();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(std::make_tuple(t->position, t->height, t->text), std::make_tuple(Point3{1, 2, 0}, 3.5, "P1"));
  EXPECT_NEAR(t->rotation, kPi / 6, 1e-12);
  EXPECT_EQ(s.command({str("frobnicate")}), RTERROR);
  EXPECT_EQ(s.command({}), RTERROR);
  EXPECT_EQ(s.command({real(1)}), RTERROR);
  EXPECT_EQ(s.command({str("text"), str("here")}), RTERROR);
  EXPECT_EQ(s.command({str("move"), real(2)}), RTERROR);
  EXPECT_EQ(s.command({str("text"), pt(0, 0), str("tall")}), RTERROR);
  EXPECT_EQ(s.live().size(), 1u);
  // UCS takes its answers and stays in the world system.
  EXPECT_EQ(s.command({str("ucs"), str("_W")}), RTNORM);
  EXPECT_EQ(s.command({str("_UCS"), str("")}), RTNORM);
  EXPECT_EQ(s.command({str("ucs"), str("o"), pt(5, 5), str(PAUSE)}), RTNORM);
  EXPECT_TRUE(s.said("Only the world coordinate system is available."));
}

TEST(CommandArgs, SolidHatchOnClosedPolylinesAndCircles) {
  Session s;
  long long p = s.add(PolylineGeom{.vertices = {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, .closed = true});
  long long c = s.add(CircleGeom{{10, 0, 0}, 2, 0});
  long long open = s.add(line(0, 0, 5, 5));
  ASSERT_EQ(s.command({str("hatch"), str("S"), ResBuf::ofSet(s.setOf({p, c, open})), str("")}), RTNORM);
  const auto* h = s.live().back()->record.as<HatchGeom>();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->solid);
  ASSERT_EQ(h->loops.size(), 2u);
  EXPECT_EQ(h->loops[0].vertices.size(), 4u);
  expectVertices(PolylineGeom{h->loops[1].vertices}, {{12, 0, 1}, {8, 0, 1}});
  size_t before = s.live().size();
  EXPECT_EQ(s.command({str("hatch"), str("S"), ResBuf::ofSet(s.setOf({open})), str("")}), RTERROR);
  EXPECT_EQ(s.live().size(), before);
}

TEST(CommandArgs, ZoomWindowPreviousAndExtents) {
  Session s;
  auto view = [&] { return std::pair(s.var("VIEWCTR").asPoint(), s.var("VIEWSIZE").asReal()); };
  auto before = view();
  ASSERT_EQ(s.command({str("'zoom"), str("W"), pt(-1, -1), pt(1, 4)}), RTNORM);
  EXPECT_EQ(view(), std::pair(Point3{0, 1.5, 0}, 5.0));
  ASSERT_EQ(s.command({str("'zoom"), str("P")}), RTNORM);
  EXPECT_EQ(view(), before);
  s.add(line(100, 100, 300, 100));
  ASSERT_EQ(s.command({str("'_zoom"), str("E")}), RTNORM);
  EXPECT_EQ(s.var("VIEWCTR").asPoint(), (Point3{200, 100, 0}));
  EXPECT_NEAR(s.var("VSMIN").asPoint().x, 100, 1e-9);  // the width fills the view
  EXPECT_EQ(s.command({str("'zoom"), str("W"), pt(1, 1), pt(1, 1)}), RTERROR);
}

TEST(CommandArgs, CmdechoZeroSilencesThePrompts) {
  Session s;
  long long a = s.add(line(0, 0, 1, 0));
  s.command({str("erase"), ResBuf::ofName(s.name(a)), str("")});
  EXPECT_TRUE(s.said("Select objects: 1 found"));
  ASSERT_EQ(s.host.acedSetVar("CMDECHO", ResBuf::ofInt(RTSHORT, 0)), RTNORM);
  std::string before = s.out.str();
  long long b = s.add(line(0, 0, 1, 0));
  ASSERT_EQ(s.command({str("move"), ResBuf::ofName(s.name(b)), str(""), pt(0, 0), pt(1, 1)}), RTNORM);
  EXPECT_EQ(s.out.str(), before);
}

TEST(TypedCommands, LayerOptionsEraseMoveAndLockedLayers) {
  Session s(
      "LAYER\nmake\nA1\nm\nA2\nOFF\nA*\nON\nA2\nset\nNOPE\n?\n\n"
      "LAYER\nM\nFIXED\nLO\nFIXED\nS\n0\n\n"
      "ERASE\n0,0\n\n"
      "MOVE\nALL\n\n0,0\n@0,10\n");
  long long a = s.add(line(0, 0, 1, 0));
  long long b = s.add(line(5, 5, 6, 5));
  long long locked = s.add(line(20, 0, 21, 0), "FIXED");
  s.run();
  const Drawing& d = s.host.drawing();
  ASSERT_NE(findLayer(d, "A1"), nullptr);
  EXPECT_EQ(std::pair(findLayer(d, "A1")->off, findLayer(d, "A2")->off), std::pair(true, false));
  EXPECT_TRUE(s.said("Cannot find layer \"NOPE\"."));
  EXPECT_TRUE(s.said("Current layer: \"A2\""));
  EXPECT_EQ(findEntity(d, a), nullptr);
  EXPECT_EQ(lineOf(s, b)->start, (Point3{5, 15, 0}));
  EXPECT_EQ(lineOf(s, locked)->start, (Point3{20, 0, 0}));
  EXPECT_TRUE(s.said("1 was on a locked layer."));
  EXPECT_EQ(s.var("CLAYER").asString(), "0");
}

TEST(TypedCommands, ListShowsDataAndExtendedData) {
  Session s("LIST\nALL\n\n");
  registerApp(s.host.drawing(), "my_tag");
  appendEntity(s.host.drawing(),
               {.xdata = {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "OPT_PATH")},
                .geom = line(0, 0, 3, 4)});
  s.run();
  for (const char* listed : {"LINE", "Length = 5.0000", "\"my_tag\"", "\"OPT_PATH\""})
    EXPECT_TRUE(s.said(listed)) << listed;
}

TEST(TypedCommands, SaveOpenAndSvgFiles) {
  optgrind::testing::TempDir dir;
  std::string dxf = dir.path() + "/part.dxf";
  Session s("SAVE\n\nCIRCLE\n0,0\n5\nSAVE\n" + dxf + "\nERASE\nALL\n\nOPEN\n" + dxf + "\nSVG\n\nOPEN\n" +
            dir.path() + "/missing.dxf\nSAVE\n\n");
  s.run();
  EXPECT_TRUE(s.said("The drawing has no file name yet"));
  ASSERT_EQ(s.live().size(), 1u) << s.out.str();  // as saved, before the erase
  EXPECT_NE(s.live()[0]->record.as<CircleGeom>(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(dir.path() + "/part.svg"));
  EXPECT_TRUE(s.said("Cannot open"));
  EXPECT_EQ(s.host.drawing().path, dxf);  // the failed open left the drawing alone
}

}  // namespace
}  // namespace optgrind::standalone::cmdtest
