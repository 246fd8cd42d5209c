// The `opt` command on the standalone host: what it loads, what the user's
// way out of the dialogs saves, and the offset check on the post file's
// V[81]. (`opt_set` is driven end to end through the program.)
#include "commands/opt_commands.h"

#include <gtest/gtest.h>

#include "commands/machine_data_dialog.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::settingsLines;
using testing::SettingsSession;
using testing::writeFile;

TEST(OptCommand, QuitSavesNothingAndSelEntSaves) {
  for (std::string leave : {"QUIT", "SelEnt"}) {
    SettingsSession s("#2\n7.5\n#24\nEDITED\n#17\n400\n" + leave + "\n");
    std::string before = readFile(s.dataFile("opt.set"));
    int result = runOptCommand(s.host());
    EXPECT_TRUE(s.has("\n 111 str=0.5 \n"));  // the choice lists were loaded
    if (leave == "QUIT") {
      EXPECT_EQ(result, kMachineDataQuit);
      EXPECT_EQ(readFile(s.dataFile("opt.set")), before);
      continue;
    }
    EXPECT_EQ(result, kMachineDataSelEnt);
    auto lines = settingsLines(readFile(s.dataFile("opt.set")));
    // Approach_Y, Grit of tool row 0, File_name of tool row 1.
    EXPECT_EQ(lines[2] + "|" + lines[20] + "|" + lines[26], "7.500000|400|EDITED");
    // The answers end at the origin prompt: the definition ends there.
    EXPECT_TRUE(s.has("Assign p(0,0) point:"));
  }
}

TEST(OptCommand, ApproachXAtTwiceTheOffsetOfThePostFileWarnsAndJustAboveDoesNot) {
  SettingsSession s("#3\n0.5\nOK\n#3\n0.501\nCreateNC\n");
  writeFile(s.dataFile("OPTGRIND.WCF"), "VARIABLE 81 = 4.3 INIT/0.25\r\nprogram_start =\r\n");
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataCreateNc);
  EXPECT_TRUE(s.has("The Approach_X Value<0.500> is too small"));
  EXPECT_FALSE(s.has("The Approach_X Value<0.501>"));
  EXPECT_EQ(settingsLines(readFile(s.dataFile("opt.set")))[3], "0.501000");
  EXPECT_TRUE(s.has("\nProcess -- S:Partial Select/<Select All>:"));  // NC output asks for the paths
}

TEST(OptCommand, GlobalSettingShowsTheDialogAgainAndSelRowStartsAtZero) {
  SettingsSession s("Global Setting\n#10\nedit2\n OK \nToolTable\n");
  optSettings().Sel_row = 4;
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataToolTable);
  EXPECT_EQ(optSettings().Sel_row, 0);
  EXPECT_EQ(testing::countOf(s.output(), "=== Kestro/Nuvex Optical Machine Data Setting ==="), 2u);
  EXPECT_EQ(settingsLines(readFile(s.dataFile("opt.set")))[14], "edit2");
  EXPECT_TRUE(s.has("\n row_no="));  // the tool table was drawn (answers ran out at its placement)

  SettingsSession row("#30\n");  // the CreateNC cell of the second tool row
  EXPECT_EQ(runOptCommand(row.host()), kMachineDataCreateNc);
  EXPECT_EQ(optSettings().Sel_row, 2);
}

}  // namespace
}  // namespace optgrind
