// opt_mark and the tool table on the standalone host: what stays in the
// drawing and in the settings files when the user quits or cancels, or
// when the host refuses a step; and the note-table text height.
#include <gtest/gtest.h>

#include "commands/note_text_height.h"
#include "commands/opt_mark_command.h"
#include "commands/tool_table.h"
#include "settings/mis_set.h"
#include "settings/opt_mark_set.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::SettingsSession;

EntityName addEntity(Host& host, EntityGeom geom) {
  EntityRecord record;
  record.geom = std::move(geom);
  EntityName name;
  EXPECT_EQ(host.acdbEntMake(record, name), RTNORM);
  return name;
}

EntityName addProfile(Host& host) {
  PolylineGeom p;
  p.vertices = {{0, 0}, {10, 5}, {20, 0}, {30, 5}};
  return addEntity(host, p);
}

size_t entityCount(SettingsSession& s) { return standalone::liveEntityCount(s.env.host.drawing()); }

std::string color(Host& host) {
  ResBuf value;
  host.acedGetVar("CECOLOR", value);
  return value.asString();
}

// Refuses every new entity, or every host command, on request.
struct RefusingHost : HostWrapper {
  using HostWrapper::HostWrapper;
  bool refuseMake = false;
  std::string refuseCommand;
  int acdbEntMake(const EntityRecord& e, EntityName& out) override {
    return refuseMake ? RTERROR : HostWrapper::acdbEntMake(e, out);
  }
  int acedCommand(const ResBufList& args) override {
    if (!args.empty() && args.front().asString() == refuseCommand) return RTERROR;
    return HostWrapper::acedCommand(args);
  }
};

// The form's answers: L 4, H 2.5, S 20, then " OK ".
const std::string kForm = "#1\n4\n#2\n2.5\n#3\n20\nOK\n";

TEST(OptMark, CancelledPickStillSavesAndRestoresTheColour) {
  SettingsSession s(kForm + "^C\n");
  addProfile(s.host());
  s.host().acedSetVar("CECOLOR", ResBuf::ofString(RTSTR, "5"));
  runOptMarkCommand(s.host());
  EXPECT_EQ(entityCount(s), 1u);
  EXPECT_EQ(color(s.host()), "5");
  markSettings() = MarkSettings{};
  ASSERT_EQ(loadOptMarkSet(s.host()), 1);
  EXPECT_EQ(markSettings().markLength, 4.0);
  EXPECT_EQ(markSettings().shortLimit, 20.0);
}

TEST(OptMark, RefusedEntitiesLeaveTheDrawingAsItWas) {
  SettingsSession s(kForm + "5,2.5\nN\n");
  addProfile(s.host());
  RefusingHost host(&s.host());
  host.refuseMake = true;
  runOptMarkCommand(host);
  EXPECT_EQ(entityCount(s), 1u);
  EXPECT_EQ(color(s.host()), "BYLAYER");
}

TEST(OptMark, CancelledListPlacementLeavesNoEmptyFrame) {
  SettingsSession s(kForm + "5,2.5\n\nN\n^C\n");
  addProfile(s.host());
  runOptMarkCommand(s.host());
  // Two corner marks and four labels stay; the frame went with the cancel.
  EXPECT_EQ(entityCount(s), 1u + 2 + 4);
  EXPECT_NE(s.output().find("Display Coordinate?<Y>"), std::string::npos);
}

// A row without a word for a column keeps the word of the row before.
TEST(ToolTable, MissingCellsRepeatTheRowAbove) {
  auto cells = toolTableCells({"a b c d e f g h i", "1 2 3", "x y z u v w q r s t"});
  EXPECT_EQ(cells[1], (std::vector<std::string>{"1", "2", "3", "d", "e", "f", "g", "h", "i"}));
  EXPECT_EQ(cells[2][8], "s");
}

TEST(ToolTable, CancelledPlacementLeavesNothingAndTextsizeStaysH) {
  SettingsSession s("3\n^C\n");
  optSettings().tools[0].Tool_no = "T1";
  EXPECT_NE(drawToolTable(s.host()), RTNORM);
  EXPECT_EQ(entityCount(s), 0u);
  ResBuf size;
  s.host().acedGetVar("TEXTSIZE", size);
  EXPECT_EQ(size.asReal(), 3.0);
}

TEST(ToolTable, RefusedTextCommandStopsTheTable) {
  SettingsSession s("\n10,10\n");
  optSettings().tools[0].Tool_no = "T1";
  RefusingHost host(&s.host());
  host.refuseCommand = "TEXT";
  EXPECT_EQ(drawToolTable(host), RTERROR);
  EXPECT_EQ(color(s.host()), "BYLAYER");
}

// TEXTSIZE as the drawing would give it when it holds 0 (the standalone
// host refuses to store 0).
struct ZeroTextSize : HostWrapper {
  using HostWrapper::HostWrapper;
  bool zero = true;
  int acedGetVar(const std::string& name, ResBuf& out) override {
    if (name == "TEXTSIZE" && zero) {
      out = ResBuf::ofReal(RTREAL, 0.0);
      return RTNORM;
    }
    return HostWrapper::acedGetVar(name, out);
  }
  int acedSetVar(const std::string& name, const ResBuf& value) override {
    if (name == "TEXTSIZE") zero = false;
    return HostWrapper::acedSetVar(name, value);
  }
};

TEST(NoteTextHeight, ProposalTypedRatioColourAndPicks) {
  {
    SettingsSession s("\n");
    ZeroTextSize host(&s.host());
    EXPECT_EQ(noteTextHeight(host), 2.5);
  }
  {
    SettingsSession s("S\n0\n");
    misSet().doubles[59] = 0.7;
    saveMisSet(s.host());
    s.host().acedSetVar("TEXTSIZE", ResBuf::ofReal(RTREAL, 1.8));
    EXPECT_EQ(noteTextHeight(s.host()), 1.8);
    EXPECT_EQ(misSet().doubles[59], 0.7);
  }
  {
    SettingsSession s("C\n3.9\n");
    noteTextHeight(s.host());
    loadMisSet(s.host());
    EXPECT_EQ(misSet().ints[26], 3);
  }
  {
    // A line asks again; then a text gives its height. (A frame block is
    // picked in the whole-run check, on a drawing with the block defined.)
    SettingsSession s("5,0\n200,0\n");
    addEntity(s.host(), LineGeom{{0, 0, 0}, {10, 0, 0}, 0});
    TextGeom text;
    text.position = {200, 0, 0};
    text.height = 3.5;
    text.text = "NOTE";
    addEntity(s.host(), text);
    EXPECT_EQ(noteTextHeight(s.host()), 3.5);
    EXPECT_EQ(testing::countOf(s.output(), "select reference"), 2u);
  }
}

}  // namespace
}  // namespace optgrind
