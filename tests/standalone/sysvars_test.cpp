// System variables of the standalone host: types, read-only variables and
// where each value is kept.
#include <gtest/gtest.h>

#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

ResBuf text(const char* s) { return ResBuf::ofString(RTSTR, s); }
ResBuf shortInt(int v) { return ResBuf::ofInt(RTSHORT, v); }

struct SysVarTest : testing::HostTest {
  ResBuf get(const std::string& name) {
    ResBuf v;
    EXPECT_EQ(host.acedGetVar(name, v), RTNORM) << name;
    return v;
  }
  int set(const std::string& name, const ResBuf& v) { return host.acedSetVar(name, v); }
};

TEST_F(SysVarTest, ValuesComeInTheHostsTypesNamesWithoutCase) {
  // The result type the system's readers switch on, one variable a type.
  EXPECT_EQ(get("luprec").code, RTSHORT);
  EXPECT_EQ(get("TEXTSIZE").code, RTREAL);
  EXPECT_EQ(get("DWGNAME").asString(), "");  // a drawing never saved has no name
  EXPECT_EQ(get("dwgprefix").asString().back(), '/');
  host.drawing().path = "/tmp/jobs/part 7.dxf";
  EXPECT_EQ(std::pair(get("DWGNAME").asString(), get("DwgPrefix").asString()),
            std::pair(std::string("part 7.dxf"), std::string("/tmp/jobs/")));
  ResBuf v;
  EXPECT_EQ(host.acedGetVar("NOSUCHVAR", v), RTERROR);
  // The virtual screen is centred on the view and as tall as it.
  Point3 center = get("VIEWCTR").asPoint(), lo = get("VSMIN").asPoint(), hi = get("VSMAX").asPoint();
  EXPECT_DOUBLE_EQ((lo.x + hi.x) / 2, center.x);
  EXPECT_DOUBLE_EQ((lo.y + hi.y) / 2, center.y);
  EXPECT_DOUBLE_EQ(hi.y - lo.y, get("VIEWSIZE").asReal());
}

TEST_F(SysVarTest, SetterRefusesUnknownReadOnlyWrongTypeAndOutOfRange) {
  EXPECT_EQ(set("NOSUCHVAR", shortInt(1)), RTERROR);
  EXPECT_EQ(set("NOSUCHVAR", shortInt(kReadOnlyMarker)), RTERROR);
  EXPECT_EQ(set("DWGNAME", text("x.dwg")), RTERROR);
  EXPECT_EQ(set("VIEWSIZE", ResBuf::ofReal(RTREAL, 10)), RTERROR);
  EXPECT_EQ(set("OSMODE", ResBuf::ofReal(RTREAL, 0)), RTERROR);
  EXPECT_EQ(set("TEXTSIZE", text("3")), RTERROR);
  EXPECT_EQ(set("CMDECHO", shortInt(2)), RTERROR);
  EXPECT_EQ(set("TEXTSIZE", ResBuf::ofReal(RTREAL, 0)), RTERROR);
  EXPECT_EQ(get("OSMODE").asInt(), 4133);
  // A real variable takes an integer.
  EXPECT_EQ(set("TEXTSIZE", shortInt(3)), RTNORM);
  EXPECT_DOUBLE_EQ(get("TEXTSIZE").asReal(), 3.0);

  // -9999 only reads, whatever the variable.
  EXPECT_EQ(set("OSMODE", shortInt(0)), RTNORM);
  for (const char* name : {"OSMODE", "USERI4", "ACADVER"})
    EXPECT_EQ(set(name, shortInt(kReadOnlyMarker)), RTNORM);
  EXPECT_EQ(std::pair(get("OSMODE").asInt(), get("USERI4").asInt()), std::pair(0LL, 0LL));
}

TEST_F(SysVarTest, DrawingVariablesTravelWithTheDrawingHostVariablesStay) {
  ASSERT_EQ(set("TEXTSIZE", ResBuf::ofReal(RTREAL, 5.0)), RTNORM);
  ASSERT_EQ(set("USERI4", shortInt(3)), RTNORM);
  ASSERT_EQ(set("OSMODE", shortInt(0)), RTNORM);
  const auto& header = host.drawing().header;
  ASSERT_TRUE(header.count("$TEXTSIZE"));
  EXPECT_EQ(std::pair(header.at("$TEXTSIZE").code, header.at("$USERI4").code), std::pair(40, 70));
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
  int id = 0;
  EXPECT_EQ(set("CLAYER", text("CUT")), RTERROR);
  ASSERT_EQ(host.addLayer({.name = "Cut"}, id), RTNORM);
  ASSERT_EQ(host.addLayer({.name = "Frozen", .frozen = true}, id), RTNORM);
  EXPECT_EQ(set("CLAYER", text("Frozen")), RTERROR);
  EXPECT_EQ(set("TEXTSTYLE", text("Missing")), RTERROR);
  EXPECT_EQ(set("CELTYPE", text("HIDDEN9")), RTERROR);
  // Names are stored as their tables spell them; colours by number.
  auto stored = [&](const char* name, const char* given) {
    EXPECT_EQ(set(name, text(given)), RTNORM) << name << " " << given;
    return get(name).asString();
  };
  EXPECT_EQ(stored("CLAYER", "CUT"), "Cut");
  EXPECT_EQ(stored("TEXTSTYLE", "STANDARD"), "Standard");
  EXPECT_EQ(stored("CELTYPE", "continuous"), "Continuous");
  EXPECT_EQ(stored("CECOLOR", "ByBlock"), "BYBLOCK");
  EXPECT_EQ(stored("CECOLOR", "42"), "42");
  EXPECT_EQ(stored("CECOLOR", "red"), "1");
  EXPECT_EQ(host.drawing().header.at("$CECOLOR").asInt(), 1);
  for (const char* bad : {"0", "256", "300", "", "4x", "purple"})
    EXPECT_EQ(set("CECOLOR", text(bad)), RTERROR) << bad;
}

}  // namespace
}  // namespace optgrind::standalone
