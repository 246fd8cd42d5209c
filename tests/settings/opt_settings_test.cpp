// "opt.set" and "opt_sel.dat": the 56 lines of the job's settings with their
// defaults and capacities, and the sections of the choice-list file.
#include "settings/opt_settings.h"

#include <gtest/gtest.h>

#include "settings/opt_sel.h"
#include "support/settings_session.h"

namespace optgrind {
namespace {

using testing::readFile;
using testing::settingsLines;
using testing::SettingsSession;
using testing::writeFile;

TEST(OptSet, MissingFileSetsTheSixDefaultsKeepsTheRestAndSaysNothing) {
  SettingsSession s("", 2, false);
  OptSettings& o = optSettings();
  o.Leader_len = 7.5;
  o.Approach_X = 1.0;
  o.pcf_name = "KEEP.WCF";
  EXPECT_EQ(loadOptSet(s.host()), 0);
  EXPECT_EQ(
      std::make_tuple(o.Approach_Y, o.Approach_X, o.Over_len, o.Over_angle, o.Safe_height, o.Tool_radius),
      std::make_tuple(5.0, 5.0, 5.0, 5.0, 20.0, 0.05));
  EXPECT_EQ(o.Leader_len, 7.5);
  EXPECT_EQ(o.pcf_name, "KEEP.WCF");
  EXPECT_EQ(s.output(), "");
}

TEST(OptSet, SavingRefusesAReadOnlyFileWithoutAWord) {
  SettingsSession s("", 2, false);
  std::string file = s.dataFile("opt.set");
  writeFile(file, "old\r\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(saveOptSet(s.host()), 0);
  EXPECT_EQ(readFile(file), "old\r\n");
  EXPECT_EQ(s.output(), "");  // refused as the original does: without a word
}

TEST(OptSet, SaveWritesTheLinesInFileOrderAndLoadReadsThemBack) {
  SettingsSession s("", 2, false);
  OptSettings& o = optSettings();
  o = OptSettings{1.5, 2.5, 3.5, 4.5, 6.5, 25.0, 0.125, "A.WCF", "/nc/out", 1, 1, 1, "pe2", 0.02, 1e9, {}, 3};
  for (int i = 0; i < kToolRowCount; ++i) {
    std::string n = std::to_string(i);
    o.tools[i] = {"T" + n, "F" + n, "0.5", 120 + i, 0.01 * i, 3000 + i, 100.0 + i, "1:0" + n};
  }
  ASSERT_EQ(saveOptSet(s.host()), 1);
  EXPECT_EQ(o.Small_radius, 0.0);  // beyond the write limit: written and kept as 0
  auto lines = settingsLines(readFile(s.dataFile("opt.set")));
  ASSERT_EQ(lines.size(), 57u);
  // (The order of lines 1 to 16 is checked on the file the program writes.)
  std::vector<std::string> row3(lines.begin() + 41, lines.begin() + 49);
  EXPECT_EQ(row3,
            (std::vector<std::string>{"T3", "F3", "0.5", "123", "0.030000", "3003", "103.000000", "1:03"}));
  EXPECT_TRUE(s.has("\n save  fget Feed[i]=104.000 \n"));

  OptSettings saved = o;
  o = OptSettings{};
  ASSERT_EQ(loadOptSet(s.host()), 1);
  EXPECT_EQ(optSetText(o), optSetText(saved));
  EXPECT_EQ(o.Sel_row, 0);  // not stored
  EXPECT_TRUE(s.has("\n load fget Feed[i]=100.000 \n"));
}

TEST(OptSet, LongStringsAreCutToTheirCapacityInCharactersAndAShortFileKeepsTheRest) {
  SettingsSession s("", 2, false);
  std::string cjk;
  for (int i = 0; i < 40; ++i) cjk += "刀";
  writeFile(s.dataFile("opt.set"), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n0\r\n" + std::string(100, 'p') +
                                       "\r\n" + std::string(300, 'n') + "\r\n0\r\n0\r\n0\r\n" +
                                       std::string(200, 'e') + "\r\n0\r\n0\r\n" + cjk + "\r\n");
  optSettings().tools[0].File_name = "KEPT";
  ASSERT_EQ(loadOptSet(s.host()), 1);
  const OptSettings& o = optSettings();
  EXPECT_EQ(o.Approach_Y, 1.0);
  EXPECT_EQ(o.pcf_name, std::string(79, 'p'));
  EXPECT_EQ(o.NC_path, std::string(255, 'n'));
  EXPECT_EQ(o.NC_editor, std::string(159, 'e'));
  EXPECT_EQ(o.tools[0].Tool_no, cjk.substr(0, 29 * 3));  // 29 characters of three bytes
  EXPECT_EQ(o.tools[0].File_name, "KEPT");
}

struct OptSel : ::testing::Test {
  SettingsSession s{"", 2, false};
  ChoiceLists& lists = choiceLists();
  void load(const std::string& text) {
    writeFile(s.dataFile("opt_sel.dat"), text);
    ASSERT_EQ(loadOptSel(s.host()), 1);
  }
  using List = std::vector<std::string>;
};

TEST_F(OptSel, SectionsFillTheListsWithTheFirstWordOfEachLine) {
  load("***Tool_Thick*\n0.5\n1.0\n***\n***Gride*\n120\n240\n***\n");
  EXPECT_EQ(lists.thick, (List{"0.5", "1.0"}));
  EXPECT_EQ(lists.grit, (List{"120", "240"}));
  EXPECT_TRUE(s.has("\n 111 str=1.0 \n"));
  // Heads in any case; a blank line gives one blank; the file may end in a section.
  load("xx***gride*yy\r\n  80 mesh\r\n\r\n\t100\r\n");
  EXPECT_EQ(lists.grit, (List{"80", " ", "100"}));
  EXPECT_EQ(lists.thick, (List{"0.5", "1.0"}));
}

TEST_F(OptSel, ListsHoldFifteenEntriesOfTwentyNineCharacters) {
  std::string text = "***Tool_Thick*\n" + std::string(40, 'w') + "\n";
  for (int i = 1; i < 20; ++i) text += std::to_string(i) + "\n";
  load(text);
  ASSERT_EQ(lists.thick.size(), kChoiceEntries);
  EXPECT_EQ(lists.thick[0], std::string(29, 'w'));
  // A line is read in pieces of 99 characters: the rest is a line of its own.
  load("***Gride*\n" + std::string(99, 'a') + "77 b\n");
  EXPECT_EQ(lists.grit.at(1), "77");
  // The CR of a CR LF line end takes no room: 98 characters stay one entry.
  load("***Gride*\r\n" + std::string(98, 'b') + "\r\n60\r\n***\r\n");
  EXPECT_EQ(lists.grit, (List{std::string(29, 'b'), "60"}));
}

TEST_F(OptSel, ReadingStopsWhereNoSectionHeadStands) {
  lists.grit = {"old"};
  // "***Gride*" closes the thickness section; "120" is then no head.
  load("***Tool_Thick*\n0.5\n***Gride*\n120\n***\n");
  EXPECT_EQ(lists.thick, (List{"0.5"}));
  EXPECT_EQ(lists.grit, (List{"old"}));
  load("thicknesses\n***Tool_Thick*\n9\n***\n");
  EXPECT_EQ(lists.thick, (List{"0.5"}));
  std::filesystem::remove(s.dataFile("opt_sel.dat"));
  EXPECT_EQ(loadOptSel(s.host()), 0);
  EXPECT_TRUE(s.has("\n else !!! \n"));
  EXPECT_EQ(lists.grit, (List{"old"}));
}

}  // namespace
}  // namespace optgrind
