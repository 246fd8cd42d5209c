// The `opt_set` and `opt` commands on the standalone host: what they load,
// what the user's way out of the dialogs saves, and the offset check on the
// post file's V[81].
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

TEST(OptSetCommand, EveryFieldTypedThenOkIsSavedInItsLineAndQuitWritesNothing) {
  testing::TempDir nc;
  SettingsSession s("#1\nmy post\n#3\n" + nc.path() +
                    "\n#5\n#6\n#7\n#8\n0.125\n#9\n0.25\n#10\nnoteedit\n OK \n");
  writeFile(s.dataFile("mypost.WCF"), "VARIABLE X = X-1.3\r\n");
  EXPECT_EQ(runOptSetCommand(s.host()), 1);
  auto lines = settingsLines(readFile(s.dataFile("opt.set")));
  ASSERT_EQ(lines.size(), 57u);
  std::vector<std::string> global(lines.begin() + 8, lines.begin() + 18);
  EXPECT_EQ(global, (std::vector<std::string>{"1", "mypost.WCF", nc.path(), "2.000000", "1", "1", "noteedit",
                                              "0.125000", "0.250000", "T1"}));

  SettingsSession quit("#5\n#10\nother\nQuit\n", 2, false);
  EXPECT_EQ(runOptSetCommand(quit.host()), 0);
  EXPECT_FALSE(std::filesystem::exists(quit.dataFile("opt.set")));
}

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
  EXPECT_TRUE(s.has("\nopt: NC output is not available in this build yet.\n"));
}

TEST(OptCommand, GlobalSettingShowsTheDialogAgainAndSelRowStartsAtZero) {
  SettingsSession s("Global Setting\n#10\nedit2\n OK \nToolTable\n");
  optSettings().Sel_row = 4;
  EXPECT_EQ(runOptCommand(s.host()), kMachineDataToolTable);
  EXPECT_EQ(optSettings().Sel_row, 0);
  EXPECT_EQ(testing::countOf(s.output(), "=== Kestro/Nuvex Optical Machine Data Setting ==="), 2u);
  EXPECT_EQ(settingsLines(readFile(s.dataFile("opt.set")))[14], "edit2");
  EXPECT_TRUE(s.has("\nopt: the tool table is not available in this build yet.\n"));

  SettingsSession row("#30\n");  // the CreateNC cell of the second tool row
  EXPECT_EQ(runOptCommand(row.host()), kMachineDataCreateNc);
  EXPECT_EQ(optSettings().Sel_row, 2);
}

}  // namespace
}  // namespace optgrind
