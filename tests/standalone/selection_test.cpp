// Selection sets, filter lists and the host wildcard patterns they use.
#include <gtest/gtest.h>

#include "cmd_test_session.h"
#include "host/wildcard.h"

namespace optgrind::standalone {
namespace {

ResBuf op(const char* name) { return ResBuf::ofString(-4, name); }
ResBuf type(const char* name) { return ResBuf::ofString(0, name); }
ResBuf layer(const char* name) { return ResBuf::ofString(8, name); }

TEST(WildcardTest, MatchesAsTheHostsPatterns) {
  struct Case {
    const char* text;
    const char* pattern;
    bool expected;
  };
  const Case cases[] = {
      {"CUT1", "CUT#", true},   {"CUTA", "CUT#", false},   {"CUTA", "CUT@", true},
      {"CUT-", "CUT.", true},   {"CUT1", "CUT.", false},   {"CUT", "C?T", true},
      {"CT", "C?T", false},     {"", "*", true},           {"LAYER", "L*R", true},
      {"LAYER", "L*X", false},  {"B", "[ABC]", true},      {"D", "[A-C]", false},
      {"D", "[~A-C]", true},    {"B", "[~ABC]", false},    {"TEXT", "~TEXT", false},
      {"MTEXT", "~TEXT", true}, {"ARC", "LINE,ARC", true}, {"ARC", "LINE,CIRCLE", false},
      {"A*B", "A`*B", true},    {"AXB", "A`*B", false},    {"A,B", "A`,B", true},
      {"[", "[", true},         {"X", "[", false},         {"", "", true},
      {"a", "", false},         {"a,b", "[,]", false},     {",", "[,]", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.expected) << c.text << " ~ " << c.pattern;
  }
}

TEST(WildcardTest, CaseAndCodePoints) {
  EXPECT_FALSE(wildcardMatch("cut1", "CUT#"));
  EXPECT_TRUE(wildcardMatch("cut1", "CUT#", WildcardCase::Insensitive));
  EXPECT_TRUE(wildcardMatch("b", "[A-C]", WildcardCase::Insensitive));
  EXPECT_TRUE(wildcardMatch("ÄRGER", "är*", WildcardCase::Insensitive));
  // One "?" takes one character, not one byte.
  EXPECT_TRUE(wildcardMatch("層1", "?#"));
  EXPECT_FALSE(wildcardMatch("層1", "??#"));
  // Many stars against a long text that almost matches finish at once.
  std::string text(5000, 'a');
  EXPECT_FALSE(wildcardMatch(text, "*a*a*a*a*a*a*a*a*b"));
}

struct SelectionTest : testing::HostTest {
  std::istringstream& in = session.in;
  EntityName line, arc, circle, text;  // in drawing order

  void SetUp() override {
    ASSERT_EQ(host.acdbRegApp("my_tag"), RTNORM);
    line = make({.layer = "CUT1", .color = 1, .xdata = {}, .geom = LineGeom{{0, 0, 0}, {10, 0, 0}}});
    arc = make({.layer = "CUT2", .xdata = {}, .geom = ArcGeom{{20, 0, 0}, 5, 0, 3.14159}});
    circle = make({.layer = "MARK",
                   .color = 3,
                   .xdata = {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "OPT_PATH")},
                   .geom = CircleGeom{{50, 50, 0}, 2}});
    text = make({.xdata = {}, .geom = TextGeom{.position = {30, 30, 0}, .alignPoint = {}, .text = "A"}});
  }

  std::vector<EntityName> select(const std::string& mode, const ResBufList* filter,
                                 const Point3* p1 = nullptr, const Point3* p2 = nullptr) {
    return cmdtest::selectNames(host, mode, filter, p1, p2);
  }
  std::vector<EntityName> selectX(const ResBufList& filter) { return select("X", &filter); }

  void setLayerState(const std::string& name, bool off, bool frozen) {
    for (LayerRecord l : host.layers()) {
      if (l.name != name) continue;
      l.off = off;
      l.frozen = frozen;
      ASSERT_EQ(host.setLayer(l), RTNORM);
    }
  }
};

using Names = std::vector<EntityName>;

TEST_F(SelectionTest, AllWithSimpleAndNestedFilters) {
  EXPECT_EQ(select("X", nullptr), (Names{line, arc, circle, text}));
  EXPECT_EQ(selectX({type("LINE")}), (Names{line}));
  EXPECT_EQ(selectX({type("line,arc")}), (Names{line, arc}));
  EXPECT_EQ(selectX({layer("cut#")}), (Names{line, arc}));
  EXPECT_EQ(selectX({ResBuf::ofInt(62, 3)}), (Names{circle}));
  EXPECT_EQ(selectX({ResBuf::ofInt(62, kColorByLayer)}), (Names{arc, text}));
  EXPECT_EQ(selectX({ResBuf::ofString(6, "BYLAYER")}), (Names{line, arc, circle, text}));
  EXPECT_EQ(selectX({ResBuf::ofString(-3, ""), ResBuf::ofString(1001, "MY_TAG")}), (Names{circle}));
  // Several items must all hold.
  EXPECT_EQ(selectX({type("LINE"), layer("CUT2")}), Names{});
  // Nothing matched is a failure.
  SelectionSet ss;
  ResBufList none{type("HATCH")};
  EXPECT_EQ(host.acedSSGet("X", nullptr, nullptr, &none, ss), RTERROR);

  // Lines or arcs on a CUT layer, but not on CUT2: the line only.
  ResBufList f{op("<and"),    op("<or"),  type("LINE"),  type("ARC"), op("or>"),
               layer("CUT*"), op("<not"), layer("CUT2"), op("not>"),  op("and>")};
  EXPECT_EQ(selectX(f), (Names{line}));
  // Exactly one of "red" and "on layer CUT*": the arc (by layer) only.
  ResBufList x{op("<XOR"), ResBuf::ofInt(62, 1), layer("CUT*"), op("XOR>")};
  EXPECT_EQ(selectX(x), (Names{arc}));
  ResBufList deep{op("<or"),  op("<or"),    op("<not"), layer("*"),
                  op("not>"), type("TEXT"), op("or>"),  op("or>")};
  EXPECT_EQ(selectX(deep), (Names{text}));
  // The type test of the selection filters: "3DSolid" and "MTEXT" name no
  // entity here, "TEXT" one.
  ResBufList types{op("<or"), type("LWPOLYLINE"), type("3DSolid"), type("TEXT"), type("MTEXT"), op("or>")};
  EXPECT_EQ(selectX(types), (Names{text}));
}

TEST_F(SelectionTest, MalformedFiltersAreRefused) {
  std::vector<ResBufList> bad = {
      {op("<or"), type("LINE")},                            // not closed
      {type("LINE"), op("or>")},                            // closed, never opened
      {op("<or"), type("LINE"), op("and>")},                // mismatched
      {op("<not"), type("LINE"), type("ARC"), op("not>")},  // not takes one
      {op("<xor"), type("LINE"), op("xor>")},               // xor takes two
      {op("<or"), op("or>")},                               // empty group
      {op("<nand"), type("LINE"), op("nand>")},             // unknown operator
      {ResBuf::ofInt(-4, 1)},                               // operator not text
      {ResBuf::ofInt(0, 1)},                                // type not text
      {ResBuf::ofString(62, "red")},                        // colour not a number
      {ResBuf::ofReal(40, 2.5)},                            // a group the filter does not know
  };
  ResBufList tooDeep;
  for (int i = 0; i < 1000; ++i) tooDeep.push_back(op("<not"));
  tooDeep.push_back(type("LINE"));
  for (int i = 0; i < 1000; ++i) tooDeep.push_back(op("not>"));
  bad.push_back(tooDeep);
  for (size_t i = 0; i < bad.size(); ++i) {
    SelectionSet ss;
    EXPECT_EQ(host.acedSSGet("X", nullptr, nullptr, &bad[i], ss), RTERROR) << "filter " << i;
  }
}

// A window takes what lies inside it, a crossing also what crosses it,
// whatever Z the corners have and whichever way round they come; both see
// only shown layers, while "X" (the user's ALL) takes hidden layers too. The
// user's W and C take what the modes take.
TEST_F(SelectionTest, WindowCrossingAndAllByModeAndByTheUser) {
  auto byUser = [&](const std::string& answers) {
    in.str(answers);
    in.clear();
    return select("", nullptr);
  };
  Point3 a{-1, -1, 5}, b{18, 6, -5}, far{100, 100, 0};
  // The arc (x 15 to 25) crosses the right edge of a..b.
  EXPECT_EQ(select("W", nullptr, &a, &b), (Names{line}));
  EXPECT_EQ(select("C", nullptr, &b, &a), (Names{line, arc}));
  ResBufList onlyArcs{type("ARC")};
  EXPECT_EQ(select("C", &onlyArcs, &a, &b), (Names{arc}));

  // The previous set keeps an entity whose layer was turned off since.
  ASSERT_EQ(selectX({layer("CUT*")}), (Names{line, arc}));
  setLayerState("CUT1", true, false);
  setLayerState("MARK", false, true);
  EXPECT_EQ(byUser("P\n\n"), (Names{line, arc}));
  EXPECT_EQ(select("W", nullptr, &a, &far), (Names{arc, text}));
  EXPECT_EQ(byUser("W\n-1,-1,5\n100,100\n\n"), (Names{arc, text}));
  EXPECT_EQ(byUser("C\n18,6,-5\n-1,-1\n\n"), (Names{arc}));
  EXPECT_EQ(select("X", nullptr), (Names{line, arc, circle, text}));
  EXPECT_EQ(byUser("ALL\n\n"), (Names{line, arc, circle, text}));

  SelectionSet ss;
  EXPECT_EQ(host.acedSSGet("W", &a, nullptr, nullptr, ss), RTERROR);
  EXPECT_EQ(host.acedSSGet("Q", &a, &b, nullptr, ss), RTERROR);
}

TEST_F(SelectionTest, PreviousIsTheLastSetMade) {
  SelectionSet ss;
  EXPECT_EQ(host.acedSSGet("P", nullptr, nullptr, nullptr, ss), RTERROR);
  ASSERT_EQ(selectX({layer("CUT*")}), (Names{line, arc}));
  // A failed selection leaves the previous set alone.
  ResBufList none{type("HATCH")};
  EXPECT_EQ(host.acedSSGet("X", nullptr, nullptr, &none, ss), RTERROR);
  EXPECT_EQ(select("P", nullptr), (Names{line, arc}));
  // "P" with a filter narrows and becomes the previous set itself.
  ResBufList arcs{type("ARC")};
  EXPECT_EQ(select("P", &arcs), (Names{arc}));
  EXPECT_EQ(select("P", nullptr), (Names{arc}));
  // Erased entities are gone from it.
  ASSERT_EQ(host.acdbEntDel(arc), RTNORM);
  EXPECT_EQ(host.acedSSGet("P", nullptr, nullptr, nullptr, ss), RTERROR);
  // A new drawing has no previous set.
  ASSERT_EQ(selectX({type("LINE")}), (Names{line}));
  host.setDrawing(newDrawing());
  EXPECT_EQ(host.acedSSGet("P", nullptr, nullptr, nullptr, ss), RTERROR);
}

TEST_F(SelectionTest, SetOperations) {
  SelectionSet ss;
  ASSERT_EQ(host.acedSSAdd(&line, SelectionSet{}, ss), RTNORM);
  EXPECT_EQ(host.acedSSMemb(line, ss), RTNORM);
  EXPECT_EQ(host.acedSSMemb(arc, ss), RTERROR);
  SelectionSet same;
  ASSERT_EQ(host.acedSSAdd(&arc, ss, same), RTNORM);
  EXPECT_EQ(same, ss);
  ASSERT_EQ(host.acedSSAdd(&arc, ss, same), RTNORM);  // no second copy
  long n = 0;
  ASSERT_EQ(host.acedSSLength(ss, n), RTNORM);
  EXPECT_EQ(n, 2);

  SelectionSet empty;
  ASSERT_EQ(host.acedSSAdd(nullptr, SelectionSet{}, empty), RTNORM);
  EXPECT_NE(empty, ss);
  ASSERT_EQ(host.acedSSLength(empty, n), RTNORM);
  EXPECT_EQ(n, 0);

  EntityName name;
  EXPECT_EQ(host.acedSSName(ss, 2, name), RTERROR);
  EXPECT_EQ(host.acedSSName(ss, -1, name), RTERROR);
  ASSERT_EQ(host.acdbEntDel(arc), RTNORM);
  EXPECT_EQ(host.acedSSName(ss, 1, name), RTERROR);
  EXPECT_EQ(host.acedSSAdd(&arc, ss, same), RTERROR);
  EXPECT_EQ(host.acedSSAdd(&line, SelectionSet{9999}, same), RTERROR);

  EXPECT_EQ(host.acedSSFree(ss), RTNORM);
  EXPECT_EQ(host.acedSSFree(ss), RTERROR);
  EXPECT_EQ(host.acedSSLength(ss, n), RTERROR);
  EXPECT_EQ(host.acedSSMemb(line, ss), RTERROR);
}

}  // namespace
}  // namespace optgrind::standalone
