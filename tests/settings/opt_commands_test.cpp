// The `opt_set` and `opt` commands on the standalone host: what they load,
// what the user's way out of the dialogs saves, and the offset check on the
// post file's V[81].
#include "settings/opt_commands.h"

#include <gtest/gtest.h>

#include "settings/machine_data_dialog.h"
#include "settings_session.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::SettingsSession;
using testing::settingsLines;
using testing::writeFile;

TEST(OptSetCommand, EveryFieldTypedThenOkIsSavedInItsLine) {
  testing::TempDir nc;
  SettingsSession s("#1\nmy post\n#3\n" + nc.path() + "\n#5\n\n#6\n\n#7\n\n#8\n0.125\n#9\n0.25\n#10\nnoteedit\n OK \n");
  writeFile(s.dataFile("mypost.WCF"), "VARIABLE X = X-1.3\r\n");
  EXPECT_EQ(runOptSetCommand(s.host()), 1);
  auto lines = settingsLines(readFile(s.dataFile("opt.set")));
  ASSERT_EQ(lines.size(), 57u);
  EXPECT_EQ(lines[8], "1");             // NC_rule
  EXPECT_EQ(lines[9], "mypost.WCF");    // pcf_name
  EXPECT_EQ(lines[10], nc.path());      // NC_path
  EXPECT_EQ(lines[12], "1");            // Return_start
  EXPECT_EQ(lines[13], "1");            // Coord_system
  EXPECT_EQ(lines[14], "noteedit");     // NC_editor
  EXPECT_EQ(lines[15], "0.125000");     // Small_seg
  EXPECT_EQ(lines[16], "0.250000");     // Small_radius
  EXPECT_EQ(lines[17], "T1");           // the tool rows are written back as loaded
}

TEST(OptSetCommand, QuitWritesNothing) {
  SettingsSession s("#5\n\n#10\nother\nQuit\n", 2, false);
  EXPECT_EQ(runOptSetCommand(s.host()), 0);
  EXPECT_FALSE(std::filesystem::exists(s.dataFile("opt.set")));
}

TEST(OptSetCommand, TextsFollowTheLanguageOfMisSet) {
  SettingsSession s("#12\n", 1);
  runOptSetCommand(s.host());
  EXPECT_TRUE(s.has("依图档"));
  EXPECT_FALSE(s.has("By Drawing"));
}

// A post file whose offset distance V[81] is 0.25.
void writeOffsetPostFile(SettingsSession& s) {
  writeFile(s.dataFile("OPTGRIND.WCF"), "VARIABLE 81 = 4.3 INIT/0.25\r\nprogram_start =\r\n");
}

TEST(OptCommand, QuitSavesNothingAndSelEntSaves) {
  for (const char* leave : {"QUIT", "SelEnt"}) {
    SettingsSession s(std::string("#2\n7.5\n#24\nEDITED\n#17\n400\n") + leave + "\n");
    std::string before = readFile(s.dataFile("opt.set"));
    int result = runOptCommand(s.host());
    auto lines = settingsLines(readFile(s.dataFile("opt.set")));
    if (std::string(leave) == "QUIT") {
      EXPECT_EQ(result, kMachineDataQuit);
      EXPECT_EQ(readFile(s.dataFile("opt.set")), before);
      EXPECT_FALSE(s.has("not available"));
    } else {
      EXPECT_EQ(result, kMachineDataSelEnt);
      EXPECT_EQ(lines[2], "7.500000");  // Approach_Y
      EXPECT_EQ(lines[26], "EDITED");   // File_name of tool row 1
      EXPECT_EQ(lines[20], "400");      // Grit of tool row 0
      EXPECT_TRUE(s.has("\nopt: path definition is not available in this build yet.\n"));
    }
    EXPECT_TRUE(s.has("\n 111 str=0.5 \n"));  // the choice lists were loaded
  }
}

TEST(OptCommand, ApproachXAtTwiceTheOffsetWarnsAndJustAboveDoesNot) {
  SettingsSession s("#3\n0.5\nOK\n#3\n0.501\nCreateNC\n");
  writeOffsetPostFile(s);
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataCreateNc);
  std::string out = s.output();
  EXPECT_NE(out.find("The Approach_X Value<0.500> is too small"), std::string::npos);
  EXPECT_EQ(out.find("The Approach_X Value<0.501>"), std::string::npos);
  EXPECT_EQ(settingsLines(readFile(s.dataFile("opt.set")))[3], "0.501000");
  EXPECT_TRUE(s.has("\nopt: NC output is not available in this build yet.\n"));
}

TEST(OptCommand, GlobalSettingShowsTheDialogAgainAndSelRowStartsAtZero) {
  SettingsSession s("Global Setting\n#10\nedit2\n OK \nToolTable\n");
  optSettings().Sel_row = 4;
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataToolTable);
  EXPECT_EQ(optSettings().Sel_row, 0);
  std::string out = s.output();
  size_t first = out.find("=== Kestro/Nuvex Optical Machine Data Setting ===");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(out.find("=== Kestro/Nuvex Optical Machine Data Setting ===", first + 1), std::string::npos);
  EXPECT_EQ(settingsLines(readFile(s.dataFile("opt.set")))[14], "edit2");
  EXPECT_TRUE(s.has("\nopt: the tool table is not available in this build yet.\n"));
}

TEST(OptCommand, ARowsOwnCreateNcNamesTheRow) {
  SettingsSession s("#30\n");  // cell 7 of the second tool row
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataCreateNc);
  EXPECT_EQ(optSettings().Sel_row, 2);
}

}  // namespace
}  // namespace optgrind
