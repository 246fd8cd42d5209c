// System variables of the standalone host: defaults, types, read-only
// variables and where each value is kept.
#include <gtest/gtest.h>

#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

struct SysVarTest : ::testing::Test {
  testing::HostSession session;
  StandaloneHost& host = session.host;

  ResBuf get(const std::string& name) {
    ResBuf v;
    EXPECT_EQ(host.acedGetVar(name, v), RTNORM) << name;
    return v;
  }
  int set(const std::string& name, const ResBuf& v) { return host.acedSetVar(name, v); }
};

TEST_F(SysVarTest, ValuesComeInTheHostsTypesAndTheViewIsConsistent) {
  // The result type the system's readers switch on, one variable a type.
  EXPECT_EQ(get("LUPREC").code, RTSHORT);
  EXPECT_EQ(get("TEXTSIZE").code, RTREAL);
  EXPECT_EQ(get("DWGNAME").asString(), "");  // a drawing never saved has no name
  ResBuf center = get("VIEWCTR"), size = get("VIEWSIZE"), lo = get("VSMIN"), hi = get("VSMAX");
  EXPECT_EQ(center.code, RT3DPOINT);
  EXPECT_GT(size.asReal(), 0.0);
  // The virtual screen is centred on the view and as tall as it.
  EXPECT_DOUBLE_EQ((lo.asPoint().x + hi.asPoint().x) / 2, center.asPoint().x);
  EXPECT_DOUBLE_EQ((lo.asPoint().y + hi.asPoint().y) / 2, center.asPoint().y);
  EXPECT_DOUBLE_EQ(hi.asPoint().y - lo.asPoint().y, size.asReal());
}

TEST_F(SysVarTest, NamesCompareWithoutCaseAndFolderEndsWithSlash) {
  EXPECT_EQ(get("dwgprefix").asString().back(), '/');
  EXPECT_EQ(get("orthomode").code, RTSHORT);
  host.drawing().path = "/tmp/jobs/part 7.dxf";
  EXPECT_EQ(get("DWGNAME").asString(), "part 7.dxf");
  EXPECT_EQ(get("DwgPrefix").asString(), "/tmp/jobs/");
  ResBuf v;
  EXPECT_EQ(host.acedGetVar("NOSUCHVAR", v), RTERROR);
}

TEST_F(SysVarTest, SetterRefusesUnknownReadOnlyWrongTypeAndOutOfRange) {
  EXPECT_EQ(set("NOSUCHVAR", ResBuf::ofInt(RTSHORT, 1)), RTERROR);
  EXPECT_EQ(set("ACADVER", ResBuf::ofString(RTSTR, "19.0")), RTERROR);
  EXPECT_EQ(set("DWGNAME", ResBuf::ofString(RTSTR, "x.dwg")), RTERROR);
  EXPECT_EQ(set("VIEWSIZE", ResBuf::ofReal(RTREAL, 10)), RTERROR);
  EXPECT_EQ(set("OSMODE", ResBuf::ofString(RTSTR, "0")), RTERROR);
  EXPECT_EQ(set("OSMODE", ResBuf::ofReal(RTREAL, 0)), RTERROR);
  EXPECT_EQ(set("CMDECHO", ResBuf::ofInt(RTSHORT, 2)), RTERROR);
  EXPECT_EQ(set("LUPREC", ResBuf::ofInt(RTSHORT, 9)), RTERROR);
  EXPECT_EQ(set("TEXTSIZE", ResBuf::ofReal(RTREAL, 0)), RTERROR);
  EXPECT_EQ(set("TEXTSIZE", ResBuf::ofString(RTSTR, "3")), RTERROR);
  EXPECT_EQ(get("OSMODE").asInt(), 4133);
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 2.5);

  // A real variable takes an integer.
  EXPECT_EQ(set("TEXTSIZE", ResBuf::ofInt(RTSHORT, 3)), RTNORM);
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 3.0);
}

TEST_F(SysVarTest, MinusNineNineNineNineOnlyReads) {
  EXPECT_EQ(set("OSMODE", ResBuf::ofInt(RTSHORT, 0)), RTNORM);
  EXPECT_EQ(set("OSMODE", ResBuf::ofInt(RTSHORT, kReadOnlyMarker)), RTNORM);
  EXPECT_EQ(get("OSMODE").asInt(), 0);
  EXPECT_EQ(set("USERI4", ResBuf::ofInt(RTSHORT, kReadOnlyMarker)), RTNORM);
  EXPECT_EQ(get("USERI4").asInt(), 0);
  EXPECT_EQ(set("ACADVER", ResBuf::ofInt(RTSHORT, kReadOnlyMarker)), RTNORM);
  EXPECT_EQ(set("NOSUCHVAR", ResBuf::ofInt(RTSHORT, kReadOnlyMarker)), RTERROR);
}

TEST_F(SysVarTest, DrawingVariablesTravelWithTheDrawingHostVariablesStay) {
  ASSERT_EQ(set("TEXTSIZE", ResBuf::ofReal(RTREAL, 5.0)), RTNORM);
  ASSERT_EQ(set("USERI4", ResBuf::ofInt(RTSHORT, 3)), RTNORM);
  ASSERT_EQ(set("OSMODE", ResBuf::ofInt(RTSHORT, 0)), RTNORM);
  const auto& header = host.drawing().header;
  ASSERT_TRUE(header.count("$TEXTSIZE"));
  EXPECT_EQ(header.at("$TEXTSIZE").code, 40);
  EXPECT_EQ(header.at("$USERI4").code, 70);
  EXPECT_FALSE(header.count("$OSMODE"));

  Drawing saved = host.drawing();
  host.setDrawing(newDrawing());
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 2.5);
  EXPECT_EQ(get("OSMODE").asInt(), 0);
  host.setDrawing(saved);
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 5.0);
  EXPECT_EQ(get("USERI4").asInt(), 3);

  // A header read from a file with a value of another type counts as unset.
  host.drawing().header["$TEXTSIZE"] = ResBuf::ofString(1, "tall");
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 2.5);
}

TEST_F(SysVarTest, CurrentLayerStyleLinetypeAndColourMustExist) {
  EXPECT_EQ(set("CLAYER", ResBuf::ofString(RTSTR, "CUT")), RTERROR);
  LayerRecord cut;
  cut.name = "Cut";
  int id = 0;
  ASSERT_EQ(host.addLayer(cut, id), RTNORM);
  ASSERT_EQ(set("CLAYER", ResBuf::ofString(RTSTR, "CUT")), RTNORM);
  EXPECT_EQ(get("CLAYER").asString(), "Cut");
  cut = host.layers().back();
  cut.name = "Frozen";
  cut.frozen = true;
  ASSERT_EQ(host.addLayer(cut, id), RTNORM);
  EXPECT_EQ(set("CLAYER", ResBuf::ofString(RTSTR, "Frozen")), RTERROR);

  EXPECT_EQ(set("TEXTSTYLE", ResBuf::ofString(RTSTR, "Missing")), RTERROR);
  ASSERT_EQ(set("TEXTSTYLE", ResBuf::ofString(RTSTR, "STANDARD")), RTNORM);
  EXPECT_EQ(get("TEXTSTYLE").asString(), "Standard");
  ASSERT_EQ(set("CELTYPE", ResBuf::ofString(RTSTR, "continuous")), RTNORM);
  EXPECT_EQ(get("CELTYPE").asString(), "Continuous");
  EXPECT_EQ(set("CELTYPE", ResBuf::ofString(RTSTR, "HIDDEN9")), RTERROR);

  ASSERT_EQ(set("CECOLOR", ResBuf::ofString(RTSTR, "red")), RTNORM);
  EXPECT_EQ(get("CECOLOR").asString(), "1");
  EXPECT_EQ(host.drawing().header.at("$CECOLOR").asInt(), 1);
  ASSERT_EQ(set("CECOLOR", ResBuf::ofString(RTSTR, "ByBlock")), RTNORM);
  EXPECT_EQ(get("CECOLOR").asString(), "BYBLOCK");
  ASSERT_EQ(set("CECOLOR", ResBuf::ofString(RTSTR, "42")), RTNORM);
  EXPECT_EQ(get("CECOLOR").asString(), "42");
  for (const char* bad : {"0", "256", "300", "", "4x", "purple"}) {
    EXPECT_EQ(set("CECOLOR", ResBuf::ofString(RTSTR, bad)), RTERROR) << bad;
  }
}

}  // namespace
}  // namespace optgrind::standalone
