// Entities, registered applications, tables and dictionaries of the
// standalone host's drawing.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

using Names = std::vector<EntityName>;

EntityRecord lineOn(const std::string& layer, double x, int color = kColorByLayer) {
  return EntityRecord{
      .layer = layer, .color = color, .xdata = {}, .geom = LineGeom{{x, 0, 0}, {x + 1, 0, 0}}};
}

struct DatabaseTest : testing::HostTest {
  // Names in drawing order, walked with acdbEntNext from the first.
  Names walk() {
    Names names;
    EntityName n;
    for (int rc = host.acdbEntNext(nullptr, n); rc == RTNORM; rc = host.acdbEntNext(&names.back(), n)) {
      names.push_back(n);
    }
    return names;
  }
  EntityName last() {
    EntityName n;
    EXPECT_EQ(host.acdbEntLast(n), RTNORM);
    return n;
  }
};

TEST_F(DatabaseTest, DrawingOrderFollowsMakeModAndDel) {
  EntityName next;
  EXPECT_EQ(host.acdbEntLast(next), RTERROR);
  EXPECT_EQ(host.acdbEntNext(nullptr, next), RTERROR);
  EntityName a = make(lineOn("0", 0)), b = make(lineOn("0", 1)), c = make(lineOn("0", 2));
  EXPECT_EQ(walk(), (Names{a, b, c}));
  EXPECT_EQ(last(), c);

  // Modifying keeps the place and the name.
  ASSERT_EQ(host.acdbEntMod(b, lineOn("0", 10, 3)), RTNORM);
  EXPECT_EQ(walk(), (Names{a, b, c}));
  EntityRecord got;
  ASSERT_EQ(host.acdbEntGet(b, got), RTNORM);
  EXPECT_EQ(std::pair(got.color, got.as<LineGeom>()->start.x), std::pair(3, 10.0));

  // An erased entity drops out of the walk but a walk may still go on from it.
  ASSERT_EQ(host.acdbEntDel(b), RTNORM);
  EXPECT_EQ(walk(), (Names{a, c}));
  ASSERT_EQ(host.acdbEntNext(&b, next), RTNORM);
  EXPECT_EQ(next, c);
  ASSERT_EQ(host.acdbEntDel(c), RTNORM);
  EXPECT_EQ(last(), a);
  EXPECT_EQ(host.acdbEntNext(&a, next), RTERROR);

  // Names never come back.
  EntityName d = make(lineOn("0", 3));
  EXPECT_TRUE(d != b && d != c);
  EXPECT_EQ(last(), d);
}

TEST_F(DatabaseTest, NamesErasedOfAnotherDrawingOrNullAreRefused) {
  EntityName a = make(lineOn("0", 0)), gone = make(lineOn("0", 1));
  ASSERT_EQ(host.acdbEntDel(gone), RTNORM);
  const EntityName foreign{a.a, a.b + 1};
  EntityRecord got = lineOn("0", 5);
  for (const EntityName& n : {gone, foreign, EntityName{}}) {
    EXPECT_EQ(host.acdbEntGet(n, got), RTERROR);
    EXPECT_EQ(host.acdbEntMod(n, got), RTERROR);
    EXPECT_EQ(host.acdbEntDel(n), RTERROR);
    EXPECT_EQ(host.acdbEntUpd(n), RTERROR);
  }
  EXPECT_EQ(host.acdbEntUpd(a), RTNORM);
  EntityName next;
  EXPECT_EQ(host.acdbEntNext(&foreign, next), RTERROR);
}

TEST_F(DatabaseTest, MakeChecksWhatTheHostChecks) {
  // A missing layer is made, as when reading entities.
  make(lineOn("CUT", 0));
  EXPECT_EQ(host.layers().back().name, "CUT");

  EntityName n;
  EntityRecord r = lineOn("0", 0);
  r.linetype = "NO_SUCH_LINETYPE";
  for (const EntityRecord& bad : {r, lineOn("0", 0, 300), lineOn("bad*name", 0)})
    EXPECT_EQ(host.acdbEntMake(bad, n), RTERROR);

  // Extended data needs its application registered; items before the first
  // application name belong to nobody.
  r = lineOn("0", 0);
  r.xdata = {ResBuf::ofString(1000, "KEY")};
  EXPECT_EQ(host.acdbEntMake(r, n), RTERROR);
  r.xdata = {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "KEY")};
  EXPECT_EQ(host.acdbEntMake(r, n), RTERROR);
  EntityName plain = make(lineOn("0", 1));
  EXPECT_EQ(host.acdbEntMod(plain, r), RTERROR);
  EXPECT_EQ(host.acdbRegApp("my_tag"), RTNORM);
  EXPECT_EQ(host.acdbRegApp("MY_TAG"), RTERROR);  // registered already
  EXPECT_EQ(host.acdbRegApp(""), RTERROR);
  EXPECT_EQ(host.acdbEntMod(plain, r), RTNORM);
  EntityRecord got;
  ASSERT_EQ(host.acdbEntGet(plain, got), RTNORM);
  EXPECT_EQ(got.xdata, r.xdata);
}

// The drawing keeps extended data packed: every value kind comes back as it
// went in, through a change too, and an application is found in it.
TEST_F(DatabaseTest, ExtendedDataOfEveryKindComesBackAsItWentIn) {
  const std::string app = "\u00C4pp_\u5012";
  ASSERT_EQ(host.acdbRegApp("my_tag"), RTNORM);
  ASSERT_EQ(host.acdbRegApp(app), RTNORM);
  EntityRecord r = lineOn("0", 0);
  r.xdata = {ResBuf::ofString(1001, "my_tag"),
             ResBuf::ofString(1000, ""),
             ResBuf::ofString(1000, std::string(300, 'x') + "\u00D8 \u0E01"),
             ResBuf::ofReal(1040, -0.0),
             ResBuf::ofReal(1041, 1e300),
             ResBuf::ofInt(1070, -1),
             ResBuf::ofInt(1071, LLONG_MIN),
             ResBuf::ofPoint(1010, {1.5, -2.25, 1e-12}),
             ResBuf{1005, EntityName{3, 9}},
             ResBuf{1004, SelectionSet{7}},
             ResBuf{1002, {}},
             ResBuf::ofString(1001, app)};
  EntityName n = make(r);
  EntityRecord got;
  ASSERT_EQ(host.acdbEntGet(n, got), RTNORM);
  EXPECT_EQ(got.xdata, r.xdata);
  EXPECT_TRUE(std::signbit(got.xdata[3].asReal()));
  SelectionSet ss;
  const ResBufList byApp = {ResBuf::ofString(1001, "\u00C4PP_*")};
  ASSERT_EQ(host.acedSSGet("X", nullptr, nullptr, &byApp, ss), RTNORM);
  long count = 0;
  EXPECT_EQ(host.acedSSLength(ss, count), RTNORM);
  EXPECT_EQ(count, 1);
  r.xdata.resize(2);
  ASSERT_EQ(host.acdbEntMod(n, r), RTNORM);
  ASSERT_EQ(host.acdbEntGet(n, got), RTNORM);
  EXPECT_EQ(got.xdata, r.xdata);
}

TEST_F(DatabaseTest, EntitiesOnLockedLayersCannotBeChangedOrErased) {
  EntityName n = make(lineOn("LOCKED", 0));
  LayerRecord layer = host.layers().back();
  layer.locked = true;
  ASSERT_EQ(host.setLayer(layer), RTNORM);
  EXPECT_EQ(host.acdbEntMod(n, lineOn("LOCKED", 5)), RTERROR);
  EXPECT_EQ(host.acdbEntDel(n), RTERROR);
  make(lineOn("LOCKED", 1));  // drawing on a locked layer is allowed
  layer.locked = false;
  ASSERT_EQ(host.setLayer(layer), RTNORM);
  EXPECT_EQ(host.acdbEntDel(n), RTNORM);
}

TEST_F(DatabaseTest, LayersAreAddedInTableOrderAndNamesCompareWithoutCase) {
  int id = -1;
  ASSERT_EQ(host.addLayer({.name = "Cut", .color = 1, .linetype = "continuous"}, id), RTNORM);
  std::vector<LayerRecord> all = host.layers();
  ASSERT_EQ(all.size(), 2u);
  // The linetype as its table spells it.
  EXPECT_EQ(std::tuple(all[0].name, all[1].id, all[1].linetype), std::tuple("0", id, "Continuous"));

  // A name taken already, a bad name, no colour, an unknown linetype.
  int other = -1;
  for (const LayerRecord& bad :
       {LayerRecord{.name = "CUT"}, LayerRecord{.name = "a<b"}, LayerRecord{.name = "Colourless", .color = 0},
        LayerRecord{.name = "Dashed", .color = 2, .linetype = "DASHDOTX9"}})
    EXPECT_EQ(host.addLayer(bad, other), RTERROR) << bad.name;
  EXPECT_EQ(other, -1);
  EXPECT_EQ(host.layers().size(), 2u);
}

TEST_F(DatabaseTest, SetLayerWritesEveryFieldAndRenamesItsEntities) {
  EntityName n = make(lineOn("Cut", 0));
  ASSERT_EQ(host.acedSetVar("CLAYER", ResBuf::ofString(RTSTR, "Cut")), RTNORM);
  LayerRecord layer{.id = host.layers().back().id,
                    .name = "Grind",
                    .color = 5,
                    .lineweight = 35,
                    .off = true,
                    .locked = true};
  ASSERT_EQ(host.setLayer(layer), RTNORM);
  const LayerRecord s = host.layers().back();
  EXPECT_EQ(std::make_tuple(s.name, s.color, s.lineweight, s.off, s.locked),
            std::make_tuple("Grind", 5, 35, true, true));
  EntityRecord got;
  ASSERT_EQ(host.acdbEntGet(n, got), RTNORM);
  EXPECT_EQ(got.layer, "Grind");
  ResBuf current;
  ASSERT_EQ(host.acedGetVar("CLAYER", current), RTNORM);
  EXPECT_EQ(current.asString(), "Grind");

  // The current layer cannot be frozen; a name may not be taken twice;
  // layer "0" keeps its name but may change otherwise; odd lineweights are
  // not standard; an unknown id names no layer.
  LayerRecord zero = host.layers().front();
  zero.color = 4;
  EXPECT_EQ(host.setLayer(zero), RTNORM);
  const LayerRecord refused[] = {{.id = layer.id, .name = "Grind", .frozen = true},
                                 {.id = layer.id, .name = "0"},
                                 {.id = zero.id, .name = "Zero"},
                                 {.id = layer.id, .name = "Grind", .lineweight = 12},
                                 {.id = 9999, .name = "Fresh"}};
  for (const LayerRecord& bad : refused) EXPECT_EQ(host.setLayer(bad), RTERROR) << bad.name;
}

TEST_F(DatabaseTest, TextStylesAreReadAndReplacedByName) {
  TextStyleRecord style;
  ASSERT_EQ(host.getTextStyle("standard", style), RTNORM);
  style.bigFont = "china";
  ASSERT_EQ(host.setTextStyle(style), RTNORM);
  TextStyleRecord again;
  ASSERT_EQ(host.getTextStyle("STANDARD", again), RTNORM);
  EXPECT_EQ(std::pair(again.id, again.bigFont), std::pair(style.id, std::string("china")));

  TextStyleRecord notes{.name = "Notes", .bigFont = "", .fixedHeight = 3.5};
  ASSERT_EQ(host.setTextStyle(notes), RTNORM);
  ASSERT_EQ(host.getTextStyle("notes", again), RTNORM);
  EXPECT_NE(again.id, style.id);
  EXPECT_EQ(again.fixedHeight, 3.5);
  EXPECT_EQ(host.getTextStyle("Missing", again), RTERROR);
  notes.fixedHeight = -1;
  EXPECT_EQ(host.setTextStyle(notes), RTERROR);
}

TEST_F(DatabaseTest, DictionariesHoldXRecordsByKey) {
  ResBufList data;
  EXPECT_EQ(host.dictExists("USERVAR_DICT"), RTERROR);
  EXPECT_EQ(host.dictGetXRecord("USERVAR_DICT", "SELMASK", data), RTERROR);
  EXPECT_EQ(host.dictRemove("USERVAR_DICT", "SELMASK"), RTERROR);
  ASSERT_EQ(host.dictSetXRecord("USERVAR_DICT", "SELMASK", {ResBuf::ofInt(70, 5)}), RTNORM);
  ASSERT_EQ(host.dictSetXRecord("USERVAR_DICT", "SNAPFLAG", {ResBuf::ofInt(70, 8192)}), RTNORM);
  ASSERT_EQ(host.dictSetXRecord("USERVAR_DICT", "selmask", {ResBuf::ofInt(70, 7)}), RTNORM);
  ASSERT_EQ(host.dictGetXRecord("USERVAR_DICT", "SELMASK", data), RTNORM);
  EXPECT_EQ(data, (ResBufList{ResBuf::ofInt(70, 7)}));
  // One entry per key.
  ASSERT_EQ(host.drawing().dictionaries.at(0).xrecords.size(), 2u);

  EXPECT_EQ(host.dictRemove("uservar_dict", "SELMASK"), RTNORM);
  EXPECT_EQ(host.dictGetXRecord("USERVAR_DICT", "SELMASK", data), RTERROR);
  EXPECT_EQ(host.dictRemove("USERVAR_DICT", "SELMASK"), RTERROR);
  EXPECT_EQ(host.dictExists("USERVAR_DICT"), RTNORM);
  EXPECT_EQ(host.dictSetXRecord("USERVAR_DICT", "", {}), RTERROR);
}

}  // namespace
}  // namespace optgrind::standalone
